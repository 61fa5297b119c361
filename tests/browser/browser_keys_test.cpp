// Keys and the wheel on the real browser window, sent the way a person sends
// them: to the widget that has the focus (after every block, a choice button),
// through the event loop, so every filter and handler on the way sees them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include "browser/main_form.h"
#include "browser/page_widget.h"
#include "compiler/compile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

// A chain of pages P1 ... P16: odd pages offer two choices, even pages one
// ("Next"); every choice leads to the following page, so a key that is taken
// twice shows as a page skipped.
Bytes ChainStory() {
  Bytes story = "TITLE=Chain\r\n";
  for (int page = 1; page <= 16; ++page) {
    std::string next = std::string("P").append(std::to_string(page + 1));
    story += std::string("#P").append(std::to_string(page)) +
             std::string("\r\nPage ").append(std::to_string(page)) + "\r\n";
    if (page == 16) {
      story += "/\r\n";
    } else if (page % 2 == 1) {
      story += "?000\r\nGo on\r\n" + next + "\r\n?000\r\nAlso on\r\n" + next + "\r\n?END\r\n";
    } else {
      story += "?END\r\n" + next + "\r\n";
    }
  }
  return story;
}

// One page of 120 numbered lines, for scrolling.
Bytes LongStory() {
  Bytes story = "#START\r\n";
  for (int i = 0; i < 120; ++i) story += std::string("Line ").append(std::to_string(i)) + "\r\n";
  story += "?END\r\nEND\r\n#END\r\nThe end.\r\n/\r\n";
  return story;
}

class BrowserKeys : public ::testing::Test {
 protected:
  void Open(const Bytes& source) {
    std::filesystem::create_directories(folder_ / "program");
    WriteBytes(folder_ / "story.src", source);
    NullLogSink sink;
    ASSERT_EQ(Compile((folder_ / "story.src").string(), {}, sink).outcome,
              CompileOutcome::kSuccess);
    form_ = std::make_unique<MainForm>((folder_ / "program").string() + "/");
    driver_.ChooseSlot(1);
    form_->SetCommandLineStory((folder_ / "story.qvn").string());
    form_->show();
    ASSERT_TRUE(WaitFor([&] { return form_->Session().IsOpen() && driver_.Done(); }));
    form_->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() != nullptr; }));
  }

  std::string Page() const { return form_->Session().State().position_name; }

  // A key press and release on the focused widget.
  void Press(Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key);
  }
  void Type(char ch) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, ch);
  }

  TempFolder folder_;
  DialogDriver driver_;
  std::unique_ptr<MainForm> form_;
};

TEST_F(BrowserKeys, EveryChoiceKeyTakesExactlyOneChoice) {
  Open(ChainStory());
  ASSERT_EQ(Page(), "P1");
  // Two choices on odd pages, "Next" on even ones; the focus is on "A" or
  // "Next" each time, as the window leaves it after a block.
  const char keys[] = {'b', '1', 'B', 'a', '2', 'A', 'f' /* no such choice */};
  int page = 1;
  for (char key : keys) {
    ASSERT_TRUE(qobject_cast<QPushButton*>(QApplication::focusWidget())) << key;
    Type(key);
    bool valid = key != 'f' && !(page % 2 == 0 && (key == '2' || key == 'b' || key == 'B'));
    if (valid) ++page;
    EXPECT_EQ(Page(), std::string("P").append(std::to_string(page))) << "after '" << key << "'";
  }
  // Enter and Space press the focused button: one page each.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Return}) {
    Press(key);
    ++page;
    EXPECT_EQ(Page(), std::string("P").append(std::to_string(page))) << "after key " << key;
  }
  // The arrows only move the focus.
  ASSERT_EQ(page % 2, 1);
  QWidget* before = QApplication::focusWidget();
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Down, Qt::Key_Up, Qt::Key_Left}) {
    Press(key);
    EXPECT_EQ(Page(), std::string("P").append(std::to_string(page))) << "after key " << key;
  }
  EXPECT_NE(QApplication::focusWidget(), before);
  // The focus is now on "B": Enter takes choice 2, still one page.
  Press(Qt::Key_Return);
  EXPECT_EQ(Page(), std::string("P").append(std::to_string(page + 1)));
}

// True when `button`, drawn as it is now, has the highlight colour all along
// its edge: the ring that shows which control Enter presses.
bool ShowsFocusRing(QPushButton* button) {
  QImage image = button->grab().toImage();
  double ratio = image.devicePixelRatio();
  QColor ring = button->palette().color(QPalette::Highlight);
  int w = image.width(), h = image.height();
  int edge = static_cast<int>(1.5 * ratio);
  for (QPoint at : {QPoint(edge, h / 2), QPoint(w - 1 - edge, h / 2), QPoint(w / 2, edge),
                    QPoint(w / 2, h - 1 - edge)}) {
    if (image.pixelColor(at) != ring) return false;
  }
  return true;
}

// From the first page on, after arrow keys and after the program moves the
// focus, the focused choice shows a ring and no other does, in the default and
// in a dark colour scheme.
TEST_F(BrowserKeys, TheFocusedChoiceShowsARing) {
  QPalette original = QApplication::palette();
  QPalette dark = original;
  dark.setColor(QPalette::Window, QColor(32, 32, 32));
  dark.setColor(QPalette::Button, QColor(48, 48, 48));
  dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
  for (const QPalette& palette : {original, dark}) {
    QApplication::setPalette(palette);
    Open(ChainStory());
    auto* first = qobject_cast<QPushButton*>(QApplication::focusWidget());
    ASSERT_NE(first, nullptr);
    QPushButton* other =
        form_->ChoiceButton(1) == first ? form_->ChoiceButton(2) : form_->ChoiceButton(1);
    ASSERT_TRUE(other->isVisible());
    EXPECT_TRUE(ShowsFocusRing(first));
    EXPECT_FALSE(ShowsFocusRing(other));
    Press(Qt::Key_Right);
    ASSERT_EQ(QApplication::focusWidget(), other);
    EXPECT_TRUE(ShowsFocusRing(other));
    EXPECT_FALSE(ShowsFocusRing(first));
    first->setFocus();
    EXPECT_TRUE(ShowsFocusRing(first));
    EXPECT_FALSE(ShowsFocusRing(other));
    form_.reset();
  }
  QApplication::setPalette(original);
}

TEST_F(BrowserKeys, KeysTakeOneChoiceWhenThePageHasTheFocus) {
  Open(ChainStory());
  form_->Page()->setFocus();
  ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == form_->Page(); }));
  Type('a');
  EXPECT_EQ(Page(), "P2");
}

TEST_F(BrowserKeys, PageKeysAndWheelScrollTheWholePageByRows) {
  Open(LongStory());
  QScrollBar* bar = form_->ScrollBar();
  ASSERT_TRUE(bar->isEnabled());
  const int pitch = form_->Metrics().line_pitch;
  const int visible = pitch * (form_->Page()->height() / pitch);
  ASSERT_TRUE(qobject_cast<QPushButton*>(QApplication::focusWidget()));

  Press(Qt::Key_PageDown);
  EXPECT_EQ(bar->value(), visible);
  Press(Qt::Key_PageDown);
  EXPECT_EQ(bar->value(), 2 * visible);
  Press(Qt::Key_PageUp);
  EXPECT_EQ(bar->value(), visible);
  Press(Qt::Key_End);
  EXPECT_EQ(bar->value(), bar->maximum());
  Press(Qt::Key_Home);
  EXPECT_EQ(bar->value(), 0);
  // None of them reached the choice keys: the page is still the first.
  EXPECT_EQ(Page(), "START");

  // The wheel over the page moves it as the wheel over the scroll bar does:
  // whole rows, three to a notch. Delivered as the window system does, so an
  // unused turn travels on to the parent widgets.
  auto wheel = [](QWidget* over, int delta) {
    QPointF at(5, 5);
    QWheelEvent event(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(over, &event);
  };
  wheel(form_->Page(), -120);
  EXPECT_EQ(bar->value(), QApplication::wheelScrollLines() * pitch);
  EXPECT_EQ(bar->value() % pitch, 0);
  wheel(form_->Page(), 120);
  EXPECT_EQ(bar->value(), 0);
  wheel(form_->Page(), 120);  // already at the top: nothing moves, nothing loops
  EXPECT_EQ(bar->value(), 0);
  // Over a choice button too (it lies on the page).
  wheel(form_->ChoiceButton(1), -120);
  EXPECT_EQ(bar->value(), QApplication::wheelScrollLines() * pitch);
  EXPECT_EQ(Page(), "START");
}

}  // namespace
}  // namespace qvn::testing
