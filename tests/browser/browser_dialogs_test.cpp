// The browser's font dialog and help window, opened by their keys on the
// focused widget as a reader opens them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>

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

// 開く starts in the story's folder, fits its columns and speaks Japanese
// only, down to a folder's type.
TEST_F(BrowserDialogs, TheOpenDialogStartsInTheStorysFolderAndFitsItsColumns) {
  std::filesystem::path stories = folder_ / "stories";
  std::filesystem::create_directories(stories / "chapter");
  WriteBytes(stories / "tale.qvn", "x");
  form_->Session().SetStory((stories / "tale.qvn").string());
  QString start, folder_type, file_type;
  std::vector<std::pair<int, int>> widths;  // needed, given
  bool seen = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || seen) return;
    seen = true;
    // Closed whatever the checks find, so that a failure cannot hang the test.
    struct Rejecter {
      QFileDialog* dialog;
      ~Rejecter() { dialog->reject(); }
    } rejecter{dialog};
    start = dialog->directory().absolutePath();
    auto* view = dialog->findChild<QTreeView*>();
    ASSERT_NE(view, nullptr);
    QAbstractItemModel* model = view->model();
    ASSERT_TRUE(WaitFor([&] { return model->rowCount(view->rootIndex()) == 2; }));
    QApplication::processEvents();
    for (int row = 0; row < 2; ++row) {
      QModelIndex name = model->index(row, 0, view->rootIndex());
      QString type = model->index(row, 2, view->rootIndex()).data().toString();
      (name.data().toString() == "chapter" ? folder_type : file_type) = type;
    }
    // Each column at least as wide as its widest text, its title included.
    for (int column = 1; column <= 3; ++column) {
      int needed = view->header()->fontMetrics().horizontalAdvance(
          model->headerData(column, Qt::Horizontal).toString());
      for (int row = 0; row < 2; ++row)
        needed =
            std::max(needed, view->fontMetrics().horizontalAdvance(
                                 model->index(row, column, view->rootIndex()).data().toString()));
      widths.emplace_back(needed, view->header()->sectionSize(column));
    }
  });
  poll.start(5);
  Press(Qt::Key_O, Qt::ControlModifier);
  ASSERT_TRUE(seen);
  EXPECT_EQ(start, QString::fromStdString(stories.string()));
  EXPECT_EQ(folder_type, QString::fromUtf8("フォルダー"));
  EXPECT_EQ(file_type, QString::fromUtf8("QVN ファイル"));
  ASSERT_EQ(widths.size(), 3u);
  for (auto [needed, given] : widths) EXPECT_LE(needed, given);
}

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
