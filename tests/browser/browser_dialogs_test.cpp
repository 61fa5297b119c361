// The browser's font dialog and help window, opened by their keys on the
// focused widget as a reader opens them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "browser/main_form.h"
#include "browser/page_widget.h"
#include "browser/window_font.h"
#include "gui/font_dialog.h"
#include "gui/help_window.h"
#include "platform/profile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

// Runs `act` on the font dialog once it is up.
class FontDialogDriver : public QObject {
 public:
  explicit FontDialogDriver(std::function<void(FontDialog&)> act) : act_(std::move(act)) {
    connect(&timer_, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      auto* dialog = qobject_cast<FontDialog*>(modal);
      if (modal && !dialog) modal->close();  // any other dialog: not the one asked for
      if (!dialog || !act_) return;
      auto act = std::move(act_);
      act_ = nullptr;
      act(*dialog);
    });
    timer_.start(5);
  }
  bool Done() const { return !act_; }

 private:
  QTimer timer_;
  std::function<void(FontDialog&)> act_;
};

class BrowserDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "program");
    form_ = std::make_unique<MainForm>((folder_ / "program").string() + "/");
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() != nullptr; }));
  }

  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }

  QStringList Items(QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }

  TempFolder folder_;
  std::unique_ptr<MainForm> form_;
};

TEST_F(BrowserDialogs, FontDialogOffersCellFontsOpensOnTheWindowFontAndKeepsIt) {
  QStringList families, sizes;
  QString family, style, size;
  FontDialogDriver driver([&](FontDialog& dialog) {
    families = Items(dialog.Families());
    sizes = Items(dialog.Sizes());
    family = dialog.Families()->currentItem() ? dialog.Families()->currentItem()->text() : "";
    style = dialog.Styles()->currentItem() ? dialog.Styles()->currentItem()->text() : "";
    size = dialog.SizeField()->text();
    // OK without touching anything, by the key a reader would press.
    ASSERT_TRUE(WaitFor([&] { return dialog.isAncestorOf(QApplication::focusWidget()); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  Press(Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(WaitFor([&] { return driver.Done() && !QApplication::activeModalWidget(); }));
  for (const char* cell : {"IPAGothic", "IPAMincho", "DejaVu Sans Mono"})
    EXPECT_TRUE(families.contains(cell)) << cell << " in " << families.join(", ").toStdString();
  for (const char* proportional : {"IPAPGothic", "DejaVu Sans", "Liberation Sans"})
    EXPECT_FALSE(families.contains(proportional)) << proportional;
  EXPECT_EQ(family, "IPAMincho");  // standing in for the window's "ＭＳ 明朝"
  EXPECT_EQ(style, QString::fromUtf8(u8"太字 斜体"));
  EXPECT_EQ(size, "16");
  ASSERT_FALSE(sizes.isEmpty());
  EXPECT_EQ(sizes.first(), "8");
  EXPECT_EQ(sizes.last(), "48");
  // The window font is as it was.
  form_->close();
  Profile settings = ReadProfileFile(folder_ / "program" / "qvn.ini");
  EXPECT_EQ(settings.GetString("FONT", "NAME"), "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9");
  EXPECT_EQ(settings.GetString("FONT", "SIZE"), "16");
  EXPECT_EQ(settings.GetString("FONT", "STYLE"), "3");
}

TEST_F(BrowserDialogs, FontDialogSizesStayWithinEightToFortyEight) {
  const std::pair<const char*, int> typed[] = {
      {"7", 8}, {"8", 8}, {"48", 48}, {"49", 48}, {"12", 12}};
  for (auto [text, points] : typed) {
    FontDialogDriver driver([&, text = text](FontDialog& dialog) {
      auto rows = dialog.Families()->findItems("IPAGothic", Qt::MatchExactly);
      if (!rows.isEmpty()) dialog.Families()->setCurrentItem(rows.first());
      dialog.Styles()->setCurrentRow(0);
      dialog.SizeField()->setFocus();
      dialog.SizeField()->selectAll();
      QTest::keyClicks(dialog.SizeField(), text);
      QTest::keyClick(dialog.SizeField(), Qt::Key_Return);
    });
    Press(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return driver.Done() && !QApplication::activeModalWidget(); }));
    EXPECT_EQ(WindowFontPoints(form_->WindowFontNow()), points) << text;
    // Whole pixels: 8 points are 11 pixels, 48 are 64, 12 are 16.
    EXPECT_EQ(form_->WindowFontNow().pixelSize(), points == 8 ? 11 : points == 48 ? 64 : 16);
    form_->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() != nullptr; }));
  }
  form_->close();
  Profile settings = ReadProfileFile(folder_ / "program" / "qvn.ini");
  EXPECT_EQ(settings.GetString("FONT", "NAME"), "IPAGothic");
  EXPECT_EQ(settings.GetString("FONT", "SIZE"), "12");
  EXPECT_EQ(settings.GetString("FONT", "STYLE"), "0");
}

TEST_F(BrowserDialogs, F1ShowsTheManualInTheProgramsOwnHelpWindow) {
  Press(Qt::Key_F1);
  HelpWindow* help = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    help = form_->findChild<HelpWindow*>();
    return help && help->isVisible();
  }));
  EXPECT_TRUE(help->Browser()->source().path().endsWith("/qvn3.html"));
  EXPECT_EQ(help->Browser()->source().fragment(), "HID00000002");
  EXPECT_TRUE(help->Browser()->toPlainText().contains("QVN3"));
}

}  // namespace
}  // namespace qvn::testing
