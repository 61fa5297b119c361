// The Qt pieces both programs share: Qt's Japanese texts, the faces the
// browser's font dialog offers, and the help window over the manuals.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "gui/application_setup.h"
#include "gui/font_dialog.h"
#include "gui/help_window.h"
#include "platform/manual.h"

namespace qvn {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "gui_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit, other statics Qt relies on may already be gone.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

TEST(QtTranslations, StandardDialogsSpeakJapanese) {
  ASSERT_TRUE(InstallLanguage(App(), Language::kJapanese));
  QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                           QDialogButtonBox::No);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(u8"キャンセル"));
  EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text(), QString::fromUtf8(u8"はい(&Y)"));
  EXPECT_EQ(buttons.button(QDialogButtonBox::No)->text(), QString::fromUtf8(u8"いいえ(&N)"));
  // Qt's own file dialog: no English label left.
  QFileDialog files(nullptr);
  files.setOption(QFileDialog::DontUseNativeDialog);
  QStringList english;
  for (QLabel* label : files.findChildren<QLabel*>())
    if (label->text() == "Look in:" || label->text() == "File &name:") english << label->text();
  EXPECT_TRUE(english.isEmpty()) << english.join(", ").toStdString();
  // The shared font dialog takes its words from the same translations.
  FontDialog font_dialog(QFont("IPAGothic"), 10, {}, nullptr);
  EXPECT_EQ(font_dialog.windowTitle(), QString::fromUtf8(u8"フォントの選択"));
}

TEST(QtTranslations, StandardButtonsFollowTheProgramsLanguage) {
  // English replaces Japanese and back, as a new window after a change of
  // language finds it.
  struct Row {
    Language language;
    const char* cancel;
    const char* title;
  } rows[] = {{Language::kEnglish, "Cancel", "Select Font"},
              {Language::kJapanese, "キャンセル", "フォントの選択"},
              {Language::kEnglish, "Cancel", "Select Font"}};
  for (const Row& row : rows) {
    ASSERT_TRUE(InstallLanguage(App(), row.language));
    EXPECT_EQ(InstalledLanguage(App()), row.language);
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(row.cancel));
    FontDialog font_dialog(QFont("IPAGothic"), 10, {}, nullptr);
    EXPECT_EQ(font_dialog.windowTitle(), QString::fromUtf8(row.title));
  }
  InstallLanguage(App(), Language::kJapanese);
}

TEST(FontDialogFaces, CellFontsAreFixedPitchAndHalfWidthJapaneseFaces) {
  App();
  for (const char* family : {"IPAGothic", "IPAMincho", "DejaVu Sans Mono", "Liberation Mono"})
    EXPECT_TRUE(IsCellFont(family)) << family;
  for (const char* family : {"IPAPGothic", "IPAPMincho", "DejaVu Sans", "Liberation Sans"})
    EXPECT_FALSE(IsCellFont(family)) << family;
}

TEST(HelpWindow, ShowsTheManualAtTheTopicsAnchor) {
  App();
  std::string manual = ManualPath(kBrowserManual);
  ASSERT_FALSE(manual.empty());
  EXPECT_FALSE(ManualPath(kWorkbenchManual).empty());
  EXPECT_TRUE(ManualPath("no-such-manual.html").empty());
  QWidget owner;
  HelpWindow* help = HelpWindow::ShowHelp(&owner, kBrowserManual, manual, "settings");
  ASSERT_NE(help, nullptr);
  help->resize(400, 200);
  QApplication::processEvents();
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->Browser()->toPlainText().contains("QVN3"));
  EXPECT_EQ(help->Browser()->source().fragment(), "settings");
  // The anchor near the end was scrolled to.
  const int at_settings = help->Browser()->verticalScrollBar()->value();
  EXPECT_GT(at_settings, 100);
  // A second topic reuses the one window.
  EXPECT_EQ(HelpWindow::ShowHelp(&owner, kBrowserManual, manual, "HID00000002"), help);
  EXPECT_EQ(help->Browser()->source().fragment(), "HID00000002");
  EXPECT_LT(help->Browser()->verticalScrollBar()->value(), at_settings);
}

// Escape and Ctrl+W, typed into the manual's text, close the help window.
TEST(HelpWindow, ClosesFromTheKeyboard) {
  App();
  for (QKeySequence key : {QKeySequence(Qt::Key_Escape), QKeySequence("Ctrl+W")}) {
    QWidget owner;
    HelpWindow* help =
        HelpWindow::ShowHelp(&owner, kBrowserManual, ManualPath(kBrowserManual), "settings");
    ASSERT_NE(help, nullptr);
    help->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    ASSERT_EQ(focus->window(), help);
    QTest::keySequence(focus, key);
    QApplication::processEvents();
    EXPECT_FALSE(help->isVisible()) << key.toString().toStdString();
  }
}

// A size past the limits typed into the field is said beside it, with the
// size that will be taken; one within them says only the limits.
TEST(FontDialogSize, ATypedSizeOutsideTheLimitsIsSaidBesideTheField) {
  App();
  FontDialog dialog(QFont("IPAMincho"), 16, {true, 8, 48}, nullptr);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  dialog.SizeField()->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), dialog.SizeField());
  auto* note = dialog.findChild<QLabel*>("SizeNote");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->text(), QString::fromUtf8("8～48"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), "72");
  EXPECT_EQ(dialog.SizeField()->text(), "72");
  EXPECT_EQ(note->text(), QString::fromUtf8("8～48: 48 になります"));
  EXPECT_EQ(dialog.Choice().points, 48);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), "48");
  EXPECT_EQ(note->text(), QString::fromUtf8("8～48"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), "7");
  EXPECT_EQ(note->text(), QString::fromUtf8("8～48: 8 になります"));
  EXPECT_EQ(dialog.Choice().points, 8);
}

}  // namespace
}  // namespace qvn
