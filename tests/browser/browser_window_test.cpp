// The real browser window, offscreen: opening a story through the slot
// dialog and the new-game prompt, choices by buttons and keys, the page as
// drawn, geometry, and the shutdown that saves the reader's progress.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "browser/main_form.h"
#include "browser/page_widget.h"
#include "browser/qt_text.h"
#include "common/encoding.h"
#include "compiler/compile.h"
#include "layout/window_geometry.h"
#include "platform/profile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

// A story of three blocks: a page with three choices, one with one, an end.
const char* kStory =
    "TITLE=Test story\r\n"
    "%1=Name,Taro\r\n"
    "#START\r\n"
    ">FCL=7\r\n"
    "Hello %1.\r\n"
    "\r\n"
    "Pick one.\r\n"
    "?000\r\nFirst\r\nONE\r\n"
    "?000\r\nSecond\r\nTWO\r\n"
    "?000\r\nThird\r\nTWO\r\n"
    "?END\r\n"
    "#ONE\r\nOnly one way on.\r\n?END\r\nTWO\r\n"
    "#TWO\r\nThe end.\r\n/\r\n";

class BrowserWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "program");
    WriteBytes(folder_ / "story.src", kStory);
    NullLogSink sink;
    ASSERT_EQ(Compile((folder_ / "story.src").string(), {}, sink).outcome,
              CompileOutcome::kSuccess);
    form_ = std::make_unique<MainForm>((folder_ / "program").string() + "/");
  }

  void OpenWithSlot(int slot, const QString& name) {
    driver_.ChooseSlot(slot);
    driver_.Enter(name);
    form_->SetCommandLineStory((folder_ / "story.qvn").string());
    form_->show();
    ASSERT_TRUE(WaitFor([&] { return form_->Session().IsOpen() && driver_.Done(); }));
    form_->activateWindow();
    WaitFor([&] { return form_->isActiveWindow(); });
  }

  std::vector<std::string> PageText() const {
    std::vector<std::string> lines;
    for (const Bytes& line : form_->Session().PageLines()) lines.push_back(Cp932ToUtf8(line));
    return lines;
  }

  void Key(const QString& text, int key = 0) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QWidget* target = form_->focusWidget() ? form_->focusWidget() : form_.get();
    QApplication::sendEvent(target, &press);
  }

  TempFolder folder_;
  DialogDriver driver_;
  std::unique_ptr<MainForm> form_;
};

TEST_F(BrowserWindow, StartsWithOnlyTheOpenButton) {
  form_->show();
  EXPECT_EQ(form_->windowTitle(), "Tessaline Novel Browser");
  EXPECT_TRUE(form_->ChoiceButton(1)->isVisible());
  EXPECT_EQ(form_->ChoiceButton(1)->text(), FromUtf8(u8"開く"));
  for (int tag = 2; tag <= 6; ++tag) EXPECT_FALSE(form_->ChoiceButton(tag)->isVisible());
  EXPECT_FALSE(form_->ScrollBar()->isEnabled());
  EXPECT_FALSE(form_->Temp1->isEnabled());
  EXPECT_FALSE(form_->OpenTmp1->isEnabled());
}

TEST_F(BrowserWindow, OpensThroughSlotDialogAndPromptThenShowsTheFirstPage) {
  OpenWithSlot(2, "Hana");
  EXPECT_EQ(driver_.Seen(), 2);
  EXPECT_EQ(form_->windowTitle(), "Test story (QVN3)");
  EXPECT_EQ(PageText(), (std::vector<std::string>{"Hello Hana.", " ", "Pick one.", " ", " A: First",
                                                  " B: Second", " C: Third"}));
  // Three choices: Button3 reads "A" and has the focus, Button1 reads "C".
  EXPECT_EQ(form_->ChoiceButton(3)->text(), "A");
  EXPECT_EQ(form_->ChoiceButton(2)->text(), "B");
  EXPECT_EQ(form_->ChoiceButton(1)->text(), "C");
  EXPECT_FALSE(form_->ChoiceButton(4)->isVisible());
  EXPECT_EQ(form_->focusWidget(), form_->ChoiceButton(3));
  EXPECT_TRUE(form_->Temp1->isEnabled());
}

TEST_F(BrowserWindow, ButtonsAndKeysSelectChoices) {
  OpenWithSlot(1, "Taro");
  // Enter with several choices goes to the focused "A" button: choice 1.
  Key("\r", Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return form_->Session().State().position_name == "ONE"; }));
  EXPECT_EQ(form_->ChoiceButton(1)->text(), "Next");
  EXPECT_FALSE(form_->ChoiceButton(2)->isVisible());
  Key("2");  // only one choice: nothing happens
  EXPECT_EQ(form_->Session().State().position_name, "ONE");
  Key("a");
  // TWO ends the story, which closes it: Button1 opens it again.
  ASSERT_TRUE(WaitFor([&] { return !form_->Session().IsOpen(); }));
  EXPECT_EQ(PageText(), (std::vector<std::string>{"The end."}));
  EXPECT_EQ(form_->ChoiceButton(1)->text(), FromUtf8(u8"開く"));
  EXPECT_EQ(form_->windowTitle(), "Test story (QVN3)");
}

// After the end of the story the menu item stays enabled, and Ctrl+S saves
// the state the end left: the first block, ready for a new play.
TEST_F(BrowserWindow, TemporarySaveAfterTheEndOfTheStory) {
  OpenWithSlot(1, "Taro");
  Key("\r", Qt::Key_Return);
  Key("a");
  ASSERT_TRUE(WaitFor([&] { return !form_->Session().IsOpen(); }));
  ASSERT_TRUE(form_->Temp1->isEnabled());
  const std::filesystem::path temp_save = folder_ / "story.QV$";
  ASSERT_FALSE(std::filesystem::exists(temp_save));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(temp_save); }));
  EXPECT_TRUE(form_->OpenTmp1->isEnabled());
  std::string saved = ReadBytes(temp_save);
  EXPECT_EQ(saved.substr(0, saved.find('\r')), "Test story");
  EXPECT_NE(saved.find("\r\nSTART\r\n"), std::string::npos) << saved;
}

TEST_F(BrowserWindow, ArrowsMoveTheFocusAmongVisibleButtons) {
  OpenWithSlot(1, "Taro");
  ASSERT_EQ(form_->focusWidget(), form_->ChoiceButton(3));
  Key("", Qt::Key_Right);
  EXPECT_EQ(form_->focusWidget(), form_->ChoiceButton(2));
  Key("", Qt::Key_Right);
  Key("", Qt::Key_Right);  // past Button1 back to "A"
  EXPECT_EQ(form_->focusWidget(), form_->ChoiceButton(3));
  Key("", Qt::Key_Left);
  EXPECT_EQ(form_->focusWidget(), form_->ChoiceButton(1));
  Key("\r", Qt::Key_Return);  // "C": choice 3
  ASSERT_TRUE(WaitFor([&] { return !form_->Session().IsOpen(); }));
}

TEST_F(BrowserWindow, RightmostButtonTakesTheLastChoice) {
  OpenWithSlot(1, "Taro");
  form_->ChoiceButton(1)->click();  // "C": choice 3 leads to TWO
  ASSERT_TRUE(WaitFor([&] { return !form_->Session().IsOpen(); }));
  Bytes slot = ReadBytes(folder_ / "story.Q01");
  EXPECT_TRUE(slot.starts_with("Test story\r\nSTART\r\n")) << slot.substr(0, 40);
}

TEST_F(BrowserWindow, GeometryOfButtonsAndScrollBar) {
  OpenWithSlot(1, "Taro");
  QWidget* client = form_->Page();
  Size size{client->width(), client->height()};
  for (int tag = 1; tag <= 3; ++tag) {
    Point at = ChoiceButtonPosition(size, tag);
    EXPECT_EQ(form_->ChoiceButton(tag)->pos(), QPoint(at.x, at.y)) << tag;
    EXPECT_EQ(form_->ChoiceButton(tag)->size(), QSize(41, 25));
  }
  EXPECT_EQ(form_->ScrollBar()->geometry(), QRect(size.width - 16, 0, 16, size.height));
  // Opening balanced the text area to 4:3 (the resize may round once).
  EXPECT_NEAR((size.width - 16) * 3, size.height * 4, 8);
}

// Smoothed by default: the glyphs' edges mix white into what lies under them.
// Smoothing off in the settings menu: text, outline and background only.
TEST_F(BrowserWindow, PageShowsTextOutlineAndBackgroundSmoothedOrNot) {
  OpenWithSlot(1, "Taro");
  ASSERT_TRUE(form_->Smooth1->isChecked());
  for (bool smooth : {true, false}) {
    if (!smooth) form_->Smooth1->trigger();
    QImage shot = form_->Page()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int text = 0, outline = 0, background = 0, watermark = 0, mixed = 0;
    int row_pitch = form_->Metrics().line_pitch;
    // Left of the scroll bar and above the buttons.
    for (int y = 0; y < shot.height() - 30; ++y) {
      for (int x = 0; x < shot.width() - 16; ++x) {
        QRgb pixel = shot.pixel(x, y);
        if (pixel == qRgb(255, 255, 255))
          ++text;  // FCL=7: white
        else if (pixel == qRgb(0, 0, 128))
          ++outline;  // navy behind white
        else if (pixel == qRgb(0, 0, 0))
          ++background;  // default background
        else if (pixel == qRgb(47, 47, 47))
          ++watermark;  // "QVN System" over it
        else
          ++mixed;  // a smoothed edge: white over navy or the background, in part
        // Below the seven rows of text the page is background only.
        if (y > 7 * row_pitch + 2) {
          EXPECT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(47, 47, 47));
        }
      }
    }
    EXPECT_GT(text, 50) << smooth;
    EXPECT_GT(outline, text) << smooth;
    EXPECT_GT(background, text) << smooth;
    EXPECT_GT(watermark, 500) << smooth;
    if (smooth)
      EXPECT_GT(mixed, 50);
    else
      EXPECT_EQ(mixed, 0);
  }
  form_->close();
  Profile settings = ReadProfileFile(folder_ / "program" / "qvn.ini");
  EXPECT_EQ(settings.GetString("OPTION", "SMOOTH"), "0");
}

TEST_F(BrowserWindow, ShutdownSavesTheSlotBeforeTheSettings) {
  OpenWithSlot(3, "Jiro");
  form_->close();
  Bytes slot = ReadBytes(folder_ / "story.Q03");
  EXPECT_TRUE(slot.starts_with("Test story\r\nSTART\r\nName\r\nJiro\r\n")) << slot.substr(0, 60);
  EXPECT_TRUE(std::filesystem::exists(folder_ / "program" / "qvn.ini"));
  // The other slots are untouched.
  EXPECT_TRUE(ReadBytes(folder_ / "story.Q01").starts_with("Test story\r\nQVNSTART\r\n"));
}

TEST_F(BrowserWindow, SlotDialogShowsStatusAndErasesOnTheSecondPress) {
  Bytes played = ReadBytes(folder_ / "story.Q02");
  played.replace(played.find("QVNSTART"), 8, "ONE");
  played.replace(played.find("????\r\n"), 4, "Name");
  WriteBytes(folder_ / "story.Q02", played);
  std::vector<QString> comments;
  driver_.Then([&](AboutBox& box) {
    box.Slots()->button(2)->click();
    comments.push_back(box.Comment()->text());
    box.EraseButton()->click();
    comments.push_back(box.Comment()->text());
    box.EraseButton()->click();
    comments.push_back(box.Comment()->text());
    box.OkButton()->click();
  });
  driver_.Enter("Ken");
  form_->SetCommandLineStory((folder_ / "story.qvn").string());
  form_->show();
  ASSERT_TRUE(WaitFor([&] { return form_->Session().IsOpen() && driver_.Done(); }));
  ASSERT_EQ(comments.size(), 3u);
  EXPECT_EQ(comments[0], "Name:Taro");
  EXPECT_EQ(comments[1], FromUtf8(u8"初期化(OKならもう一度消去を押す)"));
  EXPECT_EQ(comments[2], FromUtf8(u8"未使用ファイルです。"));
  // The erased slot was fresh again, so the story began anew with the prompt.
  EXPECT_EQ(form_->Session().State().position_name, "START");
  EXPECT_EQ(PageText()[0], "Hello Ken.");
}

TEST_F(BrowserWindow, LongPageScrollsAndSnapsToRows) {
  Bytes story = "#START\r\n";
  for (int i = 0; i < 80; ++i) story += "Line " + std::to_string(i) + "\r\n";
  story += "/\r\n";
  WriteBytes(folder_ / "long.src", story);
  NullLogSink sink;
  ASSERT_EQ(Compile((folder_ / "long.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);
  driver_.ChooseSlot(1);
  form_->SetCommandLineStory((folder_ / "long.qvn").string());
  form_->show();
  ASSERT_TRUE(WaitFor([&] { return !form_->Session().PageLines().empty() && driver_.Done(); }));
  QScrollBar* bar = form_->ScrollBar();
  int pitch = form_->Metrics().line_pitch;
  int visible = pitch * (form_->Page()->height() / pitch);
  EXPECT_TRUE(bar->isEnabled());
  EXPECT_EQ(bar->maximum(), form_->Page()->Page().height() + pitch - visible);
  EXPECT_EQ(bar->pageStep(), visible);
  EXPECT_EQ(bar->singleStep(), pitch);
  bar->setSliderDown(true);
  bar->setSliderPosition(3 * pitch + pitch / 2);
  bar->setSliderDown(false);
  EXPECT_EQ(bar->value(), 3 * pitch);
}

TEST_F(BrowserWindow, VersionBoxNamesTheStorysVersion) {
  OpenWithSlot(1, "Taro");
  QString comment;
  driver_.Then([&](AboutBox& box) {
    comment = box.Comment()->text();
    box.OkButton()->click();
  });
  form_->About1->trigger();
  EXPECT_EQ(comment, "Tessaline Novel Project");
}

TEST_F(BrowserWindow, SlotThatCannotBeWrittenGivesTheNoticeAndStaysAsItWas) {
  OpenWithSlot(1, "Taro");
  // A folder in the slot file's place cannot be replaced by a file.
  std::filesystem::remove(folder_ / "story.Q01");
  std::filesystem::create_directories(folder_ / "story.Q01" / "kept");
  QString notice;
  driver_.Then([&](AboutBox& box) {
    notice = box.Comment()->text();
    box.OkButton()->click();
  });
  form_->close();
  EXPECT_EQ(notice, FromUtf8(u8"ユーザーデータ書込み不能"));
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "story.Q01" / "kept"));
}

TEST_F(BrowserWindow, ARelativeStoryNameFromADeletedWorkingFolderShowsTheErrorBox) {
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::create_directories(folder_ / "gone");
  std::filesystem::current_path(folder_ / "gone");
  std::filesystem::remove(folder_ / "gone");
  QString shown;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  closer.start(20);
  form_->SetCommandLineStory("story.qvn");
  closer.stop();
  std::filesystem::current_path(before);
  EXPECT_EQ(shown, "story.qvn\nNo such file or directory");
  EXPECT_FALSE(form_->Session().Location().HasStory());
}

TEST_F(BrowserWindow, LineGapMenuAndMetrics) {
  form_->show();
  int pitch = form_->Metrics().line_pitch;
  form_->Gap1->aboutToShow();
  EXPECT_FALSE(form_->Standard1->isEnabled());
  form_->Wide1->trigger();
  form_->Gap1->aboutToShow();
  EXPECT_TRUE(form_->Standard1->isEnabled());
  EXPECT_EQ(form_->GapTenths(), 13);
  EXPECT_GE(form_->Metrics().line_pitch, pitch);
  for (int i = 0; i < 10; ++i) form_->Wide1->trigger();
  EXPECT_EQ(form_->GapTenths(), 20);
  form_->Standard1->trigger();
  EXPECT_EQ(form_->GapTenths(), 12);
}

TEST_F(BrowserWindow, FourThreeBalanceAndMinimumSize) {
  form_->show();
  form_->resize(700, 700);
  WaitFor([&] { return form_->Page()->width() > 600; });
  form_->Balance();
  ASSERT_TRUE(WaitFor([&] {
    return std::abs((form_->Page()->width() - 16) * 3 - form_->Page()->height() * 4) <= 4;
  }));
  EXPECT_GE(form_->minimumWidth(), 320);
  EXPECT_GE(form_->minimumHeight(), 240);
}

// What a screen reader hears: the page as text named for the story, and the
// choices by their captions. (The notice of a new page needs a live
// accessibility bus: the test under Xvfb checks it.)
QString AccessibleName(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

TEST_F(BrowserWindow, NewGamePromptsFieldIsNamedByItsQuestion) {
  QString field_name;
  driver_.ChooseSlot(1);
  driver_.Then([&](AboutBox& box) {
    field_name = AccessibleName(box.ValueField());
    box.OkButton()->click();
  });
  form_->SetCommandLineStory((folder_ / "story.qvn").string());
  form_->show();
  ASSERT_TRUE(WaitFor([&] { return form_->Session().IsOpen() && driver_.Done(); }));
  EXPECT_EQ(field_name, FromUtf8(u8"Nameを入力して下さい"));
}

TEST_F(BrowserWindow, AssistiveTechnologyReadsThePageAndTheChoices) {
  OpenWithSlot(1, "Taro");
  QAccessibleInterface* page = QAccessible::queryAccessibleInterface(form_->Page());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->role(), QAccessible::EditableText);
  EXPECT_TRUE(page->state().readOnly);
  EXPECT_TRUE(page->state().focusable);
  EXPECT_EQ(page->text(QAccessible::Name), "Test story");
  QAccessibleTextInterface* text = page->textInterface();
  ASSERT_NE(text, nullptr);
  const QString first = "Hello Taro.\n \nPick one.\n \n A: First\n B: Second\n C: Third";
  EXPECT_EQ(text->text(0, text->characterCount()), first);
  EXPECT_EQ(text->text(-5, 1000), first);  // offsets from outside are clamped
  EXPECT_EQ(text->text(9, 2), "");
  EXPECT_EQ(AccessibleName(form_->ChoiceButton(3)), "A: First");
  EXPECT_EQ(AccessibleName(form_->ChoiceButton(2)), "B: Second");
  EXPECT_EQ(AccessibleName(form_->ChoiceButton(1)), "C: Third");

  // Tab reaches the page, and comes back to the choices.
  bool page_reached = false;
  for (int press = 0; press < 8 && !page_reached; ++press) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    page_reached = QApplication::focusWidget() == form_->Page();
  }
  EXPECT_TRUE(page_reached);
  form_->ChoiceButton(3)->setFocus();

  Key("\r", Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return form_->Session().State().position_name == "ONE"; }));
  EXPECT_EQ(text->text(0, text->characterCount()), "Only one way on.");
  EXPECT_EQ(AccessibleName(form_->ChoiceButton(1)), FromUtf8(u8"次へ"));
  Key("a");
  ASSERT_TRUE(WaitFor([&] { return !form_->Session().IsOpen(); }));
  EXPECT_EQ(AccessibleName(form_->ChoiceButton(1)), FromUtf8(u8"開く"));
}

}  // namespace
}  // namespace qvn::testing
