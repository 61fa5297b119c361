// A screen reader's caret mode on the page: lines are the rows as drawn,
// characters have their boxes on the screen, and the arrow keys move the
// caret through the rows. Asked of the page's accessible interface, as the
// accessibility bus asks it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include "browser/main_form.h"
#include "browser/page_text_rows.h"
#include "browser/page_widget.h"
#include "browser/qt_text.h"
#include "common/encoding.h"
#include "compiler/compile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

class PageCaret : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "program");
    // A line of 26 letters; twelve kanji and a closing mark (26 bytes).
    Bytes story = "TITLE=Rows\r\n#START\r\nabcdefghijklmnopqrstuvwxyz\r\n";
    story.append(Sjis(u8"一二三四五六七八九十百千。")).append("\r\nend\r\n?END\r\nSTART\r\n");
    WriteBytes(folder_ / "story.src", story);
    NullLogSink sink;
    ASSERT_EQ(Compile((folder_ / "story.src").string(), {}, sink).outcome,
              CompileOutcome::kSuccess);
    form_ = std::make_unique<MainForm>((folder_ / "program").string() + "/");
    driver_.ChooseSlot(1);
    form_->SetCommandLineStory((folder_ / "story.qvn").string());
    form_->show();
    ASSERT_TRUE(WaitFor([&] { return form_->Session().IsOpen() && driver_.Done(); }));
    // A text area of 13 double cells: rows of 24 bytes.
    const int cell = form_->Metrics().cell_width;
    const int page_width = 16 + 27 * cell;
    form_->resize(form_->width() - form_->Page()->width() + page_width, 400);
    ASSERT_TRUE(WaitFor([&] { return form_->Page()->width() == page_width; }));
    ASSERT_EQ(form_->BytesPerRowNow(), 24);
    form_->PageReset();
    page_ = QAccessible::queryAccessibleInterface(form_->Page());
    ASSERT_NE(page_, nullptr);
    text_ = page_->textInterface();
    ASSERT_NE(text_, nullptr);
  }

  TempFolder folder_;
  DialogDriver driver_;
  std::unique_ptr<MainForm> form_;
  QAccessibleInterface* page_ = nullptr;
  QAccessibleTextInterface* text_ = nullptr;
};

const QString kKanji = QString::fromUtf8(u8"一二三四五六七八九十百千。");

TEST_F(PageCaret, LinesAreTheRowsAsDrawn) {
  // "abcdefghijklmnopqrstuvwxyz\n一二三四五六七八九十百千。\nend"
  //  0         10        20   26 27                       40 41
  struct Row {
    int offset;
    QString at, before, after;
    int at_start, at_end;
  } rows[] = {
      {0, "abcdefghijklmnopqrstuvwx", "", "yz\n", 0, 24},
      {23, "abcdefghijklmnopqrstuvwx", "", "yz\n", 0, 24},
      {24, "yz\n", "abcdefghijklmnopqrstuvwx", kKanji + "\n", 24, 27},
      {26, "yz\n", "abcdefghijklmnopqrstuvwx", kKanji + "\n", 24, 27},  // the "\n"
      // The closing mark is pulled back into the full row: 26 bytes.
      {39, kKanji + "\n", "yz\n", "end", 27, 41},
      {41, "end", kKanji + "\n", "", 41, 44},
      {44, "end", kKanji + "\n", "", 41, 44},  // the end of the text
  };
  ASSERT_EQ(text_->characterCount(), 44);
  for (const Row& row : rows) {
    int start = -2, end = -2;
    EXPECT_EQ(text_->textAtOffset(row.offset, QAccessible::LineBoundary, &start, &end), row.at)
        << row.offset;
    EXPECT_EQ(start, row.at_start) << row.offset;
    EXPECT_EQ(end, row.at_end) << row.offset;
    EXPECT_EQ(text_->textBeforeOffset(row.offset, QAccessible::LineBoundary, &start, &end),
              row.before)
        << row.offset;
    EXPECT_EQ(text_->textAfterOffset(row.offset, QAccessible::LineBoundary, &start, &end),
              row.after)
        << row.offset;
  }
  // Offsets from another process are never trusted.
  int start = 0, end = 0;
  text_->textAtOffset(-7, QAccessible::LineBoundary, &start, &end);
  text_->textAtOffset(1000, QAccessible::LineBoundary, &start, &end);
  EXPECT_TRUE(text_->characterRect(1000).isEmpty());
  EXPECT_EQ(text_->offsetAtPoint(QPoint(-100000, -100000)), -1);
}

TEST_F(PageCaret, CharactersHaveTheirPlaceOnTheScreen) {
  const int pitch = form_->Metrics().line_pitch;
  const QRect page(form_->Page()->mapToGlobal(QPoint(0, 0)), form_->Page()->size());
  const QRect a = text_->characterRect(0);
  const QRect b = text_->characterRect(1);
  const QRect y = text_->characterRect(24);  // first of the second row
  const QRect kanji = text_->characterRect(27);
  EXPECT_TRUE(page.contains(a)) << "inside the page";
  EXPECT_GT(b.left(), a.left());
  EXPECT_EQ(y.left(), a.left());
  EXPECT_EQ(y.top(), a.top() + pitch);
  EXPECT_EQ(kanji.top(), a.top() + 2 * pitch);
  EXPECT_GT(kanji.width(), a.width()) << "a full-width character is wider";
  for (int offset : {0, 1, 5, 23, 24, 25, 27, 30, 39, 41, 43})
    EXPECT_EQ(text_->offsetAtPoint(text_->characterRect(offset).center()), offset) << offset;
}

TEST_F(PageCaret, ArrowKeysMoveTheCaretRowByRow) {
  form_->activateWindow();
  WaitFor([&] { return form_->isActiveWindow(); });
  form_->Page()->setFocus();
  ASSERT_TRUE(WaitFor([&] { return form_->Page()->hasFocus(); }));
  struct Step {
    Qt::Key key;
    int caret;
  } steps[] = {
      {Qt::Key_Right, 1}, {Qt::Key_Right, 2}, {Qt::Key_Down, 26},  // "yz" is short: its end
      {Qt::Key_Down, 29}, {Qt::Key_Down, 43},                      // "end" ends at 44
      {Qt::Key_Down, 43}, {Qt::Key_Up, 29},   {Qt::Key_Left, 28}, {Qt::Key_Up, 25},
      {Qt::Key_Up, 1},    {Qt::Key_Up, 1},    {Qt::Key_Left, 0},  {Qt::Key_Left, 0},
  };
  for (const Step& step : steps) {
    QTest::keyClick(form_->Page(), step.key);
    EXPECT_EQ(text_->cursorPosition(), step.caret) << step.key;
  }
}

// Bytes that are no CP932 text (a lone lead byte, half-width kana before a
// double-byte character, a line longer than a row can hold): the rows stay
// inside the text, in order, and every offset has its row.
TEST(PageTextRows, HostileBytesStayInsideTheText) {
  const std::vector<std::vector<Bytes>> pages = {
      {"\x82"},
      {"\xB1\x82\xA0\x82", "abc\x81", ""},
      {Bytes(300, '\x82'), "\x81\x42\x81\x42\x81\x42"},
      {"", "", ""},
  };
  for (const std::vector<Bytes>& lines : pages) {
    QStringList joined;
    for (const Bytes& line : lines) joined.append(FromCp932(line));
    const int length = static_cast<int>(joined.join('\n').size());
    for (int bytes_per_row : {-4, 0, 2, 3, 4, 24}) {
      std::vector<TextRow> rows = TextRows(lines, bytes_per_row);
      ASSERT_FALSE(rows.empty());
      int previous_end = 0;
      for (const TextRow& row : rows) {
        EXPECT_GE(row.start, previous_end);
        EXPECT_GE(row.length, 0);
        EXPECT_LE(row.start + row.length, length);
        previous_end = row.start + row.length;
      }
      for (int offset = 0; offset <= length; ++offset) {
        const int r = RowAt(rows, offset);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, static_cast<int>(rows.size()));
        EXPECT_LE(rows[static_cast<std::size_t>(r)].start, offset);
      }
    }
  }
  EXPECT_EQ(RowAt({}, 5), 0);
}

}  // namespace
}  // namespace qvn::testing
