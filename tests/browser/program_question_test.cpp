// A story's programs in the real window: the question before each start,
// answered with keys and clicks on the focused dialog; "always" kept in
// qvn.ini and withdrawn through the menu; programs switched off. Whether a
// program ran is seen by the marker file it makes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <deque>
#include <functional>

#include "browser/allowed_stories_dialog.h"
#include "browser/main_form.h"
#include "browser/program_question.h"
#include "browser/qt_text.h"
#include "common/encoding.h"
#include "compiler/compile.h"
#include "platform/file_names.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

namespace fs = std::filesystem;

// Acts on the question and the list of allowed stories when they come up.
class QuestionDriver : public QObject {
 public:
  using Answer = std::function<void(QDialog&)>;
  QuestionDriver() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start();
  }
  void Then(Answer answer) { answers_.push_back(std::move(answer)); }
  int Seen() const { return seen_; }
  bool Done() const { return answers_.empty(); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QDialog*>(modal);
    bool ours = qobject_cast<ProgramQuestion*>(modal) || qobject_cast<AllowedStoriesDialog*>(modal);
    if (!ours || !dialog->isVisible()) return;
    ++seen_;
    if (answers_.empty()) {
      ADD_FAILURE() << "an unexpected " << modal->objectName().toStdString() << " "
                    << (qobject_cast<ProgramQuestion*>(modal)
                            ? qobject_cast<ProgramQuestion*>(modal)->Text()->text().toStdString()
                            : "");
      dialog->reject();
      return;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    answer(*dialog);
  }
  QTimer timer_;
  std::deque<Answer> answers_;
  int seen_ = 0;
};

void Key(QDialog& dialog, int key) {
  QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
}

void Click(QWidget* widget) {
  QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
  QPointF global = widget->mapToGlobal(centre);
  QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
}

ProgramQuestion& Question(QDialog& dialog) {
  return static_cast<ProgramQuestion&>(dialog);
}

// Lets the event loop run, for the time a started program would need.
void Settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

class ProgramQuestionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_ / "program");
    fs::create_directories(folder_ / "story");
    story_folder_ = fs::canonical(folder_ / "story");
    WriteBytes(story_folder_ / "mark.sh", "#!/bin/sh\n: > \"$1\"\n");
    ::chmod((story_folder_ / "mark.sh").c_str(), 0755);
  }

  // Compiles the story whose blocks START and TWO start `first` and `second`.
  void WriteStory(const std::string& first, const std::string& second) {
    WriteBytes(story_folder_ / "tools.src", "TITLE=Tool story\r\n#START\r\n>EXE=" + first +
                                                "\r\nPage one.\r\n?END\r\nTWO\r\n#TWO\r\n>EXE=" +
                                                second + "\r\nPage two.\r\n?END\r\nSTART\r\n");
    NullLogSink sink;
    ASSERT_EQ(Compile((story_folder_ / "tools.src").string(), {}, sink).outcome,
              CompileOutcome::kSuccess);
  }

  void OpenStory() {
    form_ = std::make_unique<MainForm>(Program());
    slots_.ChooseSlot(1);
    form_->SetCommandLineStory((story_folder_ / "tools.qvn").string());
    form_->show();
    ASSERT_TRUE(WaitFor([&] { return form_->Session().IsOpen() && questions_.Done(); }));
  }

  // The next block, by Enter on the focused "Next" button.
  void Next() {
    ASSERT_EQ(form_->focusWidget(), form_->ChoiceButton(1));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(form_->focusWidget() ? form_->focusWidget() : form_.get(), &press);
    ASSERT_TRUE(WaitFor([&] { return questions_.Done(); }));
  }

  std::string Program() const { return (folder_ / "program").string() + "/"; }
  // As the compiler spelled it.
  std::string StoryFile() const {
    return ResolveExisting(story_folder_ / "tools.qvn").value_or("tools.qvn").string();
  }
  bool Marker(const std::string& name) const { return fs::exists(story_folder_ / name); }
  std::vector<std::string> PageText() const {
    std::vector<std::string> lines;
    for (const Bytes& line : form_->Session().PageLines()) lines.push_back(Cp932ToUtf8(line));
    return lines;
  }

  TempFolder folder_;
  fs::path story_folder_;
  DialogDriver slots_;
  QuestionDriver questions_;
  std::unique_ptr<MainForm> form_;
};

TEST_F(ProgramQuestionTest, EscapeEnterAndClosingStartNothing) {
  WriteStory("%P%mark.sh %P%first.txt", "%P%mark.sh %P%second.txt");
  QString text;
  QWidget* focused = nullptr;
  bool always_enabled = false;
  questions_.Then([&](QDialog& dialog) {
    text = Question(dialog).Text()->text();
    // A screen reader reads the whole question when it comes up.
    EXPECT_EQ(dialog.accessibleDescription(), text);
    focused = dialog.focusWidget();
    always_enabled = Question(dialog).AlwaysButton()->isEnabled();
    EXPECT_EQ(focused, Question(dialog).DoNotStartButton());
    Key(dialog, Qt::Key_Escape);
  });
  OpenStory();
  EXPECT_NE(text.indexOf(FromUtf8(u8"物語「Tool story」")), -1) << text.toStdString();
  EXPECT_NE(text.indexOf(QString::fromStdString((story_folder_ / "mark.sh").string())), -1);
  EXPECT_NE(text.indexOf(QString::fromStdString((story_folder_ / "first.txt").string())), -1);
  EXPECT_EQ(text.indexOf(FromUtf8(u8"フォルダーの外")), -1);
  EXPECT_TRUE(always_enabled);
  EXPECT_EQ(PageText(), std::vector<std::string>{"Page one."}) << "the story goes on";

  questions_.Then([](QDialog& dialog) { Key(dialog, Qt::Key_Return); });
  Next();
  EXPECT_EQ(PageText(), std::vector<std::string>{"Page two."});
  questions_.Then([](QDialog& dialog) { dialog.close(); });
  Next();
  EXPECT_EQ(PageText(), std::vector<std::string>{"Page one."});
  Settle(300);
  EXPECT_FALSE(Marker("first.txt"));
  EXPECT_FALSE(Marker("second.txt"));
  EXPECT_EQ(questions_.Seen(), 3);
}

TEST_F(ProgramQuestionTest, StartThisTimeStartsItAndAsksAgain) {
  WriteStory("%P%mark.sh %P%first.txt", "%P%mark.sh %P%second.txt");
  questions_.Then([](QDialog& dialog) { Click(Question(dialog).StartButton()); });
  OpenStory();
  EXPECT_TRUE(WaitFor([&] { return Marker("first.txt"); }));
  questions_.Then([](QDialog& dialog) {
    // Tab from "do not start" to "always", Shift+Tab back, Shift+Tab to "start".
    Key(dialog, Qt::Key_Backtab);
    EXPECT_EQ(dialog.focusWidget(), Question(dialog).StartButton());
    Key(dialog, Qt::Key_Return);
  });
  Next();
  EXPECT_TRUE(WaitFor([&] { return Marker("second.txt"); }));
  EXPECT_EQ(questions_.Seen(), 2);
  EXPECT_TRUE(form_->Session().Options().programs.allowed_stories.empty());
}

TEST_F(ProgramQuestionTest, AlwaysIsKeptInTheSettingsAndCanBeWithdrawn) {
  WriteStory("%P%mark.sh %P%first.txt", "%P%mark.sh %P%second.txt");
  questions_.Then([](QDialog& dialog) { Click(Question(dialog).AlwaysButton()); });
  OpenStory();
  EXPECT_TRUE(WaitFor([&] { return Marker("first.txt"); }));
  Next();
  EXPECT_TRUE(WaitFor([&] { return Marker("second.txt"); })) << "started without a question";
  EXPECT_EQ(questions_.Seen(), 1);
  form_->close();
  Bytes ini = ReadBytes(folder_ / "program" / "qvn.ini");
  EXPECT_NE(ini.find("[PROGRAMS]\r\nOFF=0\r\nSTORY1=" + StoryFile() + "\r\n"), Bytes::npos) << ini;

  // Next run (the slot resumes at TWO): still allowed; the reader withdraws
  // it through the menu.
  fs::remove(story_folder_ / "first.txt");
  fs::remove(story_folder_ / "second.txt");
  OpenStory();
  EXPECT_TRUE(WaitFor([&] { return Marker("second.txt"); }));
  QStringList listed;
  questions_.Then([&](QDialog& dialog) {
    auto& list = static_cast<AllowedStoriesDialog&>(dialog);
    for (int i = 0; i < list.List()->count(); ++i) listed << list.List()->item(i)->text();
    Click(list.WithdrawButton());
    EXPECT_EQ(list.List()->count(), 0);
    EXPECT_FALSE(list.WithdrawButton()->isEnabled());
    Key(dialog, Qt::Key_Escape);
  });
  form_->AllowedStories1->trigger();
  EXPECT_EQ(listed, QStringList{QString::fromStdString(StoryFile())});
  EXPECT_TRUE(form_->Session().Options().programs.allowed_stories.empty());

  questions_.Then([](QDialog& dialog) { Key(dialog, Qt::Key_Escape); });
  Next();
  Settle(300);
  EXPECT_FALSE(Marker("first.txt")) << "withdrawn: asked again, and not started";
  EXPECT_EQ(questions_.Seen(), 3);
  form_->close();
  EXPECT_EQ(ReadBytes(folder_ / "program" / "qvn.ini").find("STORY1="), Bytes::npos);
}

TEST_F(ProgramQuestionTest, AProgramOutsideTheFolderIsAskedForEveryTime) {
  std::string up;  // from the story folder up to the root, and more
  for (int i = 0; i < 12; ++i) up += "..\\";
  WriteStory("\\usr\\bin\\touch %P%outside.txt", "%P%" + up + "usr\\bin\\touch %P%up.txt");
  WriteBytes(folder_ / "program" / "qvn.ini", "[PROGRAMS]\r\nSTORY1=" + StoryFile() + "\r\n");
  QString text;
  bool always_enabled = true;
  questions_.Then([&](QDialog& dialog) {
    text = Question(dialog).Text()->text();
    always_enabled = Question(dialog).AlwaysButton()->isEnabled();
    Click(Question(dialog).StartButton());
  });
  OpenStory();
  EXPECT_TRUE(WaitFor([&] { return Marker("outside.txt"); }));
  EXPECT_NE(text.indexOf(FromUtf8(u8"このプログラムは物語のフォルダーの外にあります。")), -1)
      << text.toStdString();
  EXPECT_FALSE(always_enabled);
  questions_.Then([](QDialog& dialog) { Key(dialog, Qt::Key_Escape); });
  Next();
  Settle(300);
  EXPECT_FALSE(Marker("up.txt"));
  EXPECT_EQ(questions_.Seen(), 2);
}

TEST_F(ProgramQuestionTest, SwitchedOffNoProgramStartsAndNothingIsAsked) {
  WriteStory("%P%mark.sh %P%first.txt", "\\usr\\bin\\touch %P%second.txt");
  WriteBytes(folder_ / "program" / "qvn.ini",
             "[PROGRAMS]\r\nOFF=1\r\nSTORY1=" + StoryFile() + "\r\n");
  OpenStory();
  EXPECT_TRUE(form_->NoPrograms1->isChecked());
  Next();
  EXPECT_EQ(PageText(), std::vector<std::string>{"Page two."});
  Settle(300);
  EXPECT_FALSE(Marker("first.txt"));
  EXPECT_FALSE(Marker("second.txt"));
  EXPECT_EQ(questions_.Seen(), 0);

  // Switched on again from the menu: the allowed story starts its program.
  form_->NoPrograms1->trigger();
  Next();
  EXPECT_TRUE(WaitFor([&] { return Marker("first.txt"); }));
  form_->close();
  EXPECT_NE(ReadBytes(folder_ / "program" / "qvn.ini").find("OFF=0\r\n"), Bytes::npos);
}

}  // namespace
}  // namespace qvn::testing
