// From the compile log to the source: a double-click or Enter on a report's
// line opens the source there, in the built-in or the outside editor; UTF-8
// sources in the workbench.
#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <chrono>
#include <filesystem>
#include <thread>

#include "common/encoding.h"
#include "platform/file_io.h"
#include "qt_test_support.h"
#include "tests/support/temp_folder.h"
#include "workbench/main_form.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

std::string U8(std::u8string_view text) {
  return std::string(text.begin(), text.end());
}

Bytes FileBytes(const fs::path& path) {
  Bytes content;
  EXPECT_TRUE(ReadWholeFile(path, content).ok) << path;
  return content;
}

class SourceJumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    // A folder of its own: other test programs may run at the same time.
    root_ = temp_.path();
    fs::create_directories(root_ / "program");
    fs::create_directories(root_ / "stories");
    folders_.program_folder = (root_ / "program").string() + "/";
    folders_.config_folder = (root_ / "config").string() + "/";
  }
  std::unique_ptr<MainForm> NewForm(const fs::path& source) {
    auto form = std::make_unique<MainForm>(folders_, QString::fromStdString(source.string()));
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
  }
  qvn::testing::TempFolder temp_;
  fs::path root_;
  SettingsFolders folders_;
};

// A story whose error lies far below the first screen: 300 text lines, then
// a flag line after text on line 303.
Bytes LongStoryWithAnError() {
  Bytes source = "#A\r\n";
  for (int i = 0; i < 300; ++i) source += "line " + std::to_string(i + 2) + "\r\n";
  source += "x\r\n!001\r\n?END\r\nA\r\n";
  return source;
}

int FindLine(const LogView& log, const QString& text) {
  for (int i = 0; i < log.LineCount(); ++i)
    if (log.LineText(i) == text) return i;
  return -1;
}

// The point in the viewport where log line `index` is drawn, scrolling it
// into view first, as a person would.
QPoint PointOfLine(LogView& log, int index) {
  QTextCursor cursor(log.document()->findBlockByNumber(index));
  log.setTextCursor(cursor);
  log.ensureCursorVisible();
  return log.cursorRect(cursor).center() + QPoint(4, 0);
}

bool LineIsOnScreen(LogView& log) {
  return log.viewport()->rect().contains(log.cursorRect().center());
}

TEST_F(SourceJumpTest, DoubleClickOnAnErrorOpensTheEditorAtItsLine) {
  fs::path story = root_ / "stories" / "long.src";
  ASSERT_TRUE(WriteFileDirect(story, LongStoryWithAnError()).ok);
  auto form = NewForm(story);
  form->resize(464, 354);
  form->Compile1Click();
  LogView& log = *form->Memo1;
  // Every line of the red report points at line 303; the others at nothing.
  int first = FindLine(log, QString::fromUtf8(U8(u8"*** 第303行でエラーが発生しました。")));
  ASSERT_GE(first, 0);
  for (int i = first; i < first + 4; ++i) EXPECT_EQ(log.LineSourceLine(i), 303) << i;
  EXPECT_EQ(log.LineSourceLine(0), 0);
  EXPECT_EQ(log.LineSourceLine(first - 1), 0);

  // A line that points nowhere does nothing.
  QTest::mouseDClick(log.viewport(), Qt::LeftButton, {}, PointOfLine(log, 0));
  EXPECT_FALSE(form->BuiltInEditing());

  QTest::mouseDClick(log.viewport(), Qt::LeftButton, {}, PointOfLine(log, first + 2));
  ASSERT_TRUE(form->BuiltInEditing());
  QTextCursor cursor = log.textCursor();
  EXPECT_EQ(cursor.blockNumber(), 302);
  EXPECT_EQ(cursor.selectedText(), "!001");
  EXPECT_GT(log.verticalScrollBar()->value(), 0);  // scrolled down to it
  EXPECT_TRUE(LineIsOnScreen(log));
  // The selection is the editor's: typing replaces the line.
  ASSERT_EQ(QApplication::focusWidget(), &log);
  QTest::keyClicks(QApplication::focusWidget(), ">COL=1");
  EXPECT_EQ(log.document()->findBlockByNumber(302).text(), ">COL=1");
}

TEST_F(SourceJumpTest, EnterOnAWarningOpensTheEditorAtItsLine) {
  fs::path story = root_ / "stories" / "warn.src";
  // Line 3 is over 230 bytes; block B (line 6) is never used.
  ASSERT_TRUE(WriteFileDirect(story, "#A\r\nx\r\n" + std::string(231, 'y') +
                                         "\r\n?END\r\nA\r\n#B\r\nz\r\n/\r\n")
                  .ok);
  auto form = NewForm(story);
  form->Compile1Click();
  LogView& log = *form->Memo1;
  int unused = FindLine(log, QString::fromUtf8(U8(u8"警告 : ブロック B は使われていません.")));
  ASSERT_GE(unused, 0);
  EXPECT_EQ(log.LineSourceLine(unused), 6);
  int long_line =
      FindLine(log, QString::fromUtf8(U8(u8"警告 : 文字数が230を超えています。 -- 第3行")));
  ASSERT_GE(long_line, 0);
  EXPECT_EQ(log.LineSourceLine(long_line), 3);

  // Click the line (a single click only places the caret), then Enter.
  QTest::mouseClick(log.viewport(), Qt::LeftButton, {}, PointOfLine(log, unused));
  EXPECT_FALSE(form->BuiltInEditing());
  log.setFocus();
  ASSERT_EQ(QApplication::focusWidget(), &log);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_TRUE(form->BuiltInEditing());
  EXPECT_EQ(log.textCursor().blockNumber(), 5);
  EXPECT_EQ(log.textCursor().selectedText(), "#B");
  // In the editor Enter is a line break again.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(log.document()->findBlockByNumber(6).text(), "");
}

TEST_F(SourceJumpTest, OtherWritersOfTheLogMayPointAtALineToo) {
  fs::path story = root_ / "stories" / "s.src";
  ASSERT_TRUE(WriteFileDirect(story, "#A\r\nx\r\n?END\r\nA\r\n#B\r\ny\r\n/\r\n").ok);
  auto form = NewForm(story);
  form->Compile1Click();
  form->Memo1->AppendLine("B", QColor(), 5);
  int last = form->Memo1->LineCount() - 1;
  QTest::mouseDClick(form->Memo1->viewport(), Qt::LeftButton, {}, PointOfLine(*form->Memo1, last));
  ASSERT_TRUE(form->BuiltInEditing());
  EXPECT_EQ(form->Memo1->textCursor().selectedText(), "#B");
}

TEST_F(SourceJumpTest, TheOutsideEditorIsToldTheLine) {
  // A stand-in for vim that notes its arguments.
  fs::path tools = root_ / "tools";
  fs::create_directories(tools);
  fs::path noted = root_ / "noted.txt";
  fs::path vim = tools / "vim";
  ASSERT_TRUE(WriteFileDirect(vim, "#!/bin/sh\necho \"$@\" >> '" + noted.string() + "'\n").ok);
  fs::permissions(vim, fs::perms::owner_all);
  ASSERT_TRUE(WriteFileDirect(root_ / "program" / "QvnMakeW.ini",
                              "[Option]\r\nSelfEdit=0\r\nEditor=" + vim.string() + "\r\n")
                  .ok);
  fs::path story = root_ / "stories" / "s.src";
  ASSERT_TRUE(WriteFileDirect(story, "#A\r\nx\r\n!001\r\n").ok);
  auto form = NewForm(story);  // opens the editor once, at no line
  // The two editors run on their own; wait for the first so the notes keep
  // their order.
  const std::string opened = story.string() + "\n";
  Bytes seen;
  for (int i = 0; i < 100 && seen != opened; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ReadWholeFile(noted, seen);
  }
  ASSERT_EQ(seen, opened);
  form->Compile1Click();
  int first = FindLine(*form->Memo1, QString::fromUtf8(U8(u8"*** 第3行でエラーが発生しました。")));
  ASSERT_GE(first, 0);
  QTest::mouseDClick(form->Memo1->viewport(), Qt::LeftButton, {}, PointOfLine(*form->Memo1, first));
  EXPECT_FALSE(form->BuiltInEditing());
  std::string expected = opened + "+3 " + story.string() + "\n";
  for (int i = 0; i < 100 && seen != expected; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ReadWholeFile(noted, seen);
  }
  EXPECT_EQ(seen, expected);
}

TEST_F(SourceJumpTest, Utf8SourcesCompileAsTheirTwinsAndEditWithoutLoss) {
  fs::path story = root_ / "stories" / "u.src";
  fs::path twin = root_ / "stories" / "s.src";
  const Bytes source = "\xEF\xBB\xBF" + U8(u8"TITLE=夜〜\n#開始\n図書館。\n?END\n開始\n");
  ASSERT_TRUE(WriteFileDirect(story, source).ok);
  ASSERT_TRUE(WriteFileDirect(twin, Utf8ToCp932(source.substr(3))).ok);
  auto form = NewForm(story);
  ASSERT_TRUE(form->BuiltInEditing());
  EXPECT_EQ(form->Memo1->document()->findBlockByNumber(1).text(), QString::fromUtf8(U8(u8"#開始")));
  // An edit of one line leaves the others, the mark and the line ends alone.
  QTextCursor cursor(form->Memo1->document()->findBlockByNumber(2));
  cursor.movePosition(QTextCursor::EndOfBlock);
  form->Memo1->setTextCursor(cursor);
  form->Memo1->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), form->Memo1);
  // Japanese text arrives from the input method as a committed string.
  QInputMethodEvent typed;
  typed.setCommitString(QString::fromUtf8(U8(u8"〜😀")));
  QApplication::sendEvent(QApplication::focusWidget(), &typed);
  form->Compile1Click();
  EXPECT_EQ(FileBytes(story),
            "\xEF\xBB\xBF" + U8(u8"TITLE=夜〜\n#開始\n図書館。〜😀\n?END\n開始\n"));
  // The emoji has no Shift-JIS form: the compile says where it is.
  int first = FindLine(*form->Memo1, QString::fromUtf8(U8(u8"図書館。〜😀")));
  ASSERT_GE(first, 0);
  EXPECT_EQ(form->Memo1->LineSourceLine(first), 3);
  EXPECT_EQ(form->Memo1->LineText(first + 1),
            QString::fromUtf8(
                U8(u8"*** Shift-JISで表せない文字があります。 (U+1F600, 6文字目) (Stage : 0)")));

  // Without it, the UTF-8 source and its Shift-JIS twin compile alike.
  ASSERT_TRUE(WriteFileDirect(story, source).ok);
  form->Compile1Click();
  form->OpenSource(QString::fromStdString(twin.string()));
  form->Compile1Click();
  for (const char* ext : {".qvn", ".qvj", ".Q01"})
    EXPECT_EQ(FileBytes(root_ / "stories" / (std::string("u") + ext)),
              FileBytes(root_ / "stories" / (std::string("s") + ext)))
        << ext;
}

TEST_F(SourceJumpTest, TheEncodingSettingReachesTheCompileAndIsKept) {
  fs::path story = root_ / "stories" / "u.src";
  const Bytes utf8 = U8(u8"#開始\r\n夜。\r\n?END\r\n開始\r\n");
  ASSERT_TRUE(WriteFileDirect(story, utf8).ok);
  {
    auto form = NewForm(story);
    EXPECT_TRUE(form->CodeAuto1->isChecked());
    form->CodeSjis1->trigger();
    EXPECT_EQ(form->CurrentCompileOptions().source_encoding, SourceEncoding::kCp932);
    form->Compile1Click();  // read as Shift-JIS bytes, as before
    EXPECT_NE(FileBytes(root_ / "stories" / "u.qvn").find(U8(u8"夜。")), Bytes::npos);
    form->close();
  }
  auto again = NewForm(story);
  EXPECT_TRUE(again->CodeSjis1->isChecked());
  again->CodeUtf81->trigger();
  EXPECT_FALSE(again->CodeSjis1->isChecked());
  again->Compile1Click();
  EXPECT_NE(FileBytes(root_ / "stories" / "u.qvn").find(Sjis(u8"夜。")), Bytes::npos);
}

}  // namespace
}  // namespace qvn
