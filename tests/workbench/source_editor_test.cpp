// The built-in editor's own parts: line numbers, the colours of the line
// kinds and the find bar, driven by keys as an author would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "platform/file_io.h"
#include "qt_test_support.h"
#include "tests/support/temp_folder.h"
#include "workbench/find_bar.h"
#include "workbench/main_form.h"
#include "workbench/source_highlighter.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

class SourceEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    fs::create_directories(temp_.path() / "program");
    folders_.program_folder = (temp_.path() / "program").string() + "/";
    folders_.config_folder = (temp_.path() / "config").string() + "/";
  }
  std::unique_ptr<MainForm> OpenForm(const Bytes& source) {
    fs::path story = temp_.path() / "s.src";
    EXPECT_TRUE(WriteFileDirect(story, source).ok);
    auto form = std::make_unique<MainForm>(folders_, QString::fromStdString(story.string()));
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->Memo1->setFocus();
    return form;
  }
  qvn::testing::TempFolder temp_;
  SettingsFolders folders_;
};

// The highlighter's colour over `length` characters from `start` of a line.
QColor ColourAt(const LogView& view, int line, int position) {
  QTextBlock block = view.document()->findBlockByNumber(line);
  for (const QTextLayout::FormatRange& range : block.layout()->formats())
    if (position >= range.start && position < range.start + range.length)
      return range.format.foreground().color();
  return QColor();
}

const Bytes kStory =
    "TITLE=t\r\n#A\r\nx SHELF\r\n?001\r\nc\r\n?002,B\r\nA\r\n?END\r\n#B\r\nSHELF y\r\n/\r\n";

TEST_F(SourceEditorTest, TheEditorNumbersAndColoursLinesTheLogDoesNot) {
  auto form = OpenForm(kStory);
  LogView& view = *form->Memo1;
  ASSERT_TRUE(form->BuiltInEditing());
  EXPECT_TRUE(view.LineNumbers()->isVisible());
  EXPECT_GT(view.LineNumbers()->width(), 0);
  EXPECT_EQ(view.viewport()->x() - view.contentsRect().x(), view.LineNumbers()->width());
  const SourceHighlighter& colours = *view.Highlighter();
  auto shade = [&](SourceLineKind kind) { return colours.FormatOf(kind).foreground().color(); };
  EXPECT_EQ(ColourAt(view, 0, 0), shade(SourceLineKind::kHeader));
  EXPECT_EQ(ColourAt(view, 1, 1), shade(SourceLineKind::kBlockHead));
  EXPECT_EQ(ColourAt(view, 2, 0), QColor());  // text keeps the text colour
  EXPECT_EQ(ColourAt(view, 3, 0), shade(SourceLineKind::kCondition));
  EXPECT_EQ(ColourAt(view, 5, 1), shade(SourceLineKind::kJump));
  EXPECT_EQ(ColourAt(view, 5, 5), shade(SourceLineKind::kTarget));  // "B"
  EXPECT_EQ(ColourAt(view, 6, 0), shade(SourceLineKind::kTarget));
  EXPECT_NE(shade(SourceLineKind::kBlockHead), QColor(255, 0, 0));
  EXPECT_NE(shade(SourceLineKind::kDirective), QColor(0, 0, 255));

  // A line typed at the top is numbered and coloured at once.
  QTest::keyClicks(QApplication::focusWidget(), ";note");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(ColourAt(view, 0, 1), shade(SourceLineKind::kComment));
  EXPECT_EQ(ColourAt(view, 2, 1), shade(SourceLineKind::kBlockHead));

  // The log has neither numbers nor the editor's colours; its red stays.
  form->Compile1Click();
  EXPECT_FALSE(form->BuiltInEditing());
  EXPECT_FALSE(view.LineNumbers()->isVisible());
  EXPECT_EQ(view.viewport()->x(), view.contentsRect().x());
  for (int i = 0; i < view.LineCount(); ++i)
    EXPECT_TRUE(view.document()->findBlockByNumber(i).layout()->formats().isEmpty()) << i;
}

TEST_F(SourceEditorTest, NumbersGetWiderWithTheLineCount) {
  Bytes many = "#A\r\n";
  for (int i = 0; i < 1200; ++i) many += "x\r\n";
  many += "/\r\n";
  auto small = OpenForm(kStory);
  int narrow = small->Memo1->LineNumbers()->width();
  small->close();
  auto big = OpenForm(many);
  EXPECT_GT(big->Memo1->LineNumbers()->width(), narrow);  // four digits, not three
}

// The find bar's note stands whole, left of the scroll bar (always shown).
TEST_F(SourceEditorTest, FindNoteClearOfTheScrollBar) {
  auto form = OpenForm(kStory);
  form->resize(464, form->height());  // the window's first width
  LogView& view = *form->Memo1;
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), "NOWHERE");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QApplication::processEvents();  // the bar's layout takes the note's new width
  QLabel* note = view.Finder()->Status();
  ASSERT_TRUE(view.verticalScrollBar()->isVisible());
  QRect shown(note->mapTo(&view, QPoint(0, 0)), note->size());
  EXPECT_LE(shown.right(), view.verticalScrollBar()->mapTo(&view, QPoint(0, 0)).x() - 1);
  EXPECT_GE(note->width(), note->sizeHint().width());
}

TEST_F(SourceEditorTest, CtrlFFindsForwardBackwardAndRound) {
  auto form = OpenForm(kStory);
  LogView& view = *form->Memo1;
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(view.Finder()->isVisible());
  ASSERT_EQ(QApplication::focusWidget(), view.Finder()->Field());
  QTest::keyClicks(QApplication::focusWidget(), "SHELF");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(view.textCursor().blockNumber(), 2);
  EXPECT_EQ(view.textCursor().selectedText(), "SHELF");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(view.textCursor().blockNumber(), 9);
  EXPECT_EQ(view.Finder()->Status()->text(), "");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // round to the top
  EXPECT_EQ(view.textCursor().blockNumber(), 2);
  EXPECT_EQ(view.Finder()->Status()->text(), QString::fromUtf8("先頭から続けました"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(view.textCursor().blockNumber(), 9);  // backward, round to the end
  EXPECT_EQ(view.Finder()->Status()->text(), QString::fromUtf8("末尾から続けました"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(view.textCursor().blockNumber(), 2);
  EXPECT_EQ(view.Finder()->Status()->text(), "");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  // Text that is nowhere says so and leaves no old match selected; the caret
  // stays where it was.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), "NOWHERE");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(view.textCursor().blockNumber(), 9);
  EXPECT_EQ(view.textCursor().selectedText(), "");
  EXPECT_EQ(view.Finder()->Status()->text(), QString::fromUtf8("見つかりません"));
  // Escape closes the bar and gives the keys back to the text.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(view.Finder()->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), &view);
  QTest::keyClicks(QApplication::focusWidget(), "Q");
  EXPECT_EQ(view.document()->findBlockByNumber(9).text(), "SHELFQ y");
  // A compile takes the bar away with the editor; the menus keep their keys.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
  form->Compile1Click();
  EXPECT_FALSE(view.Finder()->isVisible());
}

}  // namespace
}  // namespace qvn
