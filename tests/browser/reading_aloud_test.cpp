// Reading aloud, through the seam of the speech engine: what the window hands
// the engine, in order, as the reader plays; and one run with a real voice
// (Flite) where it can be heard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "browser/main_form.h"
#include "browser/page_speaker.h"
#include "browser/qt_text.h"
#include "browser/spoken_page.h"
#include "common/encoding.h"
#include "compiler/compile.h"
#include "platform/profile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"
#ifdef QVN_HAVE_SPEECH
#include "browser/qt_speech_engine.h"
#endif

namespace qvn::testing {
namespace {

// Writes down every call, and speaks until the test lets a text end.
class RecordingEngine : public SpeechEngine {
 public:
  explicit RecordingEngine(std::vector<QString>& log) : log_(log) {}
  void Say(const QString& text) override { log_.push_back("say " + text); }
  void Stop() override { log_.push_back("stop"); }
  void SetRate(double rate) override { log_.push_back(QString("rate %1").arg(rate)); }
  void End() {
    if (finished) finished();
  }

 private:
  std::vector<QString>& log_;
};

using Log = std::vector<QString>;

TEST(PageSpeaker, OffByDefaultMakesNoEngineUntilItSpeaks) {
  int made = 0;
  Log log;
  PageSpeaker speaker([&]() -> std::unique_ptr<SpeechEngine> {
    ++made;
    return std::make_unique<RecordingEngine>(log);
  });
  EXPECT_FALSE(speaker.Automatic());
  speaker.NewPage({"Page one.", "A: Left"});
  speaker.LineAdded("Jump Address Error : LOST");
  EXPECT_EQ(made, 0);
  EXPECT_TRUE(log.empty());
  // The repeat key speaks the page whatever the option: the whole of it.
  speaker.Repeat();
  EXPECT_EQ(made, 1);
  EXPECT_EQ(log, (Log{"rate 0", "say Page one."}));
}

TEST(PageSpeaker, SpeaksInOrderSkipsBlankTextsAndStopsOnce) {
  Log log;
  auto engine = std::make_unique<RecordingEngine>(log);
  RecordingEngine& voice = *engine;
  PageSpeaker speaker(nullptr);
  speaker.SetEngine(std::move(engine));
  speaker.SetAutomatic(true);
  speaker.SetRateStep(5);  // beyond the fastest step: the fastest
  EXPECT_EQ(speaker.RateStep(), 2);
  log.clear();
  speaker.NewPage({"Text.", "  ", "A: One", "B: Two"});
  voice.End();
  voice.End();
  EXPECT_TRUE(speaker.Speaking());
  speaker.Stop();
  speaker.Stop();  // nothing being said: the engine is not called again
  voice.End();     // a late end of the stopped text says nothing more
  EXPECT_EQ(log, (Log{"say Text.", "say A: One", "say B: Two", "stop"}));
  EXPECT_FALSE(speaker.Speaking());
}

TEST(SpokenPage, TextThenEachChoice) {
  const Bytes space = Sjis(u8"　");
  struct Row {
    const char* what;
    std::vector<Bytes> lines;
    std::vector<Bytes> captions;
    QStringList spoken;
  } rows[] = {
      {"three choices",
       {"Hello.", " ", "Pick.", " ", " A: First", " B: Second", " C: Third"},
       {"First", "Second", "Third"},
       {"Hello.\n\nPick.", "A: First", "B: Second", "C: Third"}},
      {"one choice", {"Hello.", space + "Go on"}, {"Go on"}, {"Hello.", "Go on"}},
      {"Next alone", {"Hello."}, {""}, {"Hello.", ""}},
      {"end of the story", {"The end."}, {}, {"The end."}},
      // A page that does not end as the runtime writes choices keeps all.
      {"no list at the foot",
       {"Hello.", " A: First"},
       {"First", "Second"},
       {"Hello.\nA: First", "A: First", "B: Second"}},
      {"Japanese",
       {Sjis(u8"本棚がある。"), " ", Sjis(u8" A: 本棚を見る"), " B: X"},
       {Sjis(u8"本棚を見る"), "X"},
       {FromUtf8(u8"本棚がある。"), FromUtf8(u8"A: 本棚を見る"), "B: X"}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(SpokenPage(row.lines, row.captions), row.spoken) << row.what;
}

// Choices, "Next" alone, the end; LOST is taken out of the index after the
// compile, so that its choice meets a missing block.
const char* kStory =
    "TITLE=Test story\r\n"
    "#START\r\n"
    "Hello.\r\n"
    "Pick one.\r\n"
    "?000\r\nFirst\r\nONE\r\n"
    "?000\r\nLost\r\nLOST\r\n"
    "?END\r\n"
    "#ONE\r\nOnly one way on.\r\n?END\r\nTWO\r\n"
    "#TWO\r\nThe end.\r\n/\r\n"
    "#LOST\r\nNever shown.\r\n?END\r\nTWO\r\n";

class ReadingAloud : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "program");
    WriteBytes(folder_ / "story.src", kStory);
    NewWindow();
  }

  // A new window on a freshly compiled story (fresh slots), its engine the
  // recorder.
  void NewWindow() {
    form_.reset();
    NullLogSink sink;
    ASSERT_EQ(Compile((folder_ / "story.src").string(), {}, sink).outcome,
              CompileOutcome::kSuccess);
    Bytes index = ReadBytes(folder_ / "story.qvj");
    std::size_t lost = index.find("LOST");
    ASSERT_NE(lost, Bytes::npos);
    index[lost + 3] = 'X';
    WriteBytes(folder_ / "story.qvj", index);
    form_ = std::make_unique<MainForm>((folder_ / "program").string() + "/");
    if (!form_->Speech1) GTEST_SKIP() << "built without Qt TextToSpeech";
    auto engine = std::make_unique<RecordingEngine>(log_);
    engine_ = engine.get();
    form_->Speaker().SetEngine(std::move(engine));
    log_.clear();
  }

  void Open() {
    driver_.ChooseSlot(1);
    form_->SetCommandLineStory((folder_ / "story.qvn").string());
    form_->show();
    ASSERT_TRUE(WaitFor([&] { return form_->Session().IsOpen() && driver_.Done(); }));
    form_->activateWindow();
    WaitFor([&] { return form_->isActiveWindow(); });
  }

  void Key(const QString& text, int key = 0) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QWidget* target = form_->focusWidget() ? form_->focusWidget() : form_.get();
    QApplication::sendEvent(target, &press);
  }

  TempFolder folder_;
  DialogDriver driver_;
  std::unique_ptr<MainForm> form_;
  RecordingEngine* engine_ = nullptr;
  Log log_;
};

TEST_F(ReadingAloud, OffByDefault) {
  EXPECT_FALSE(form_->Speech1->isChecked());
  Open();
  EXPECT_TRUE(log_.empty());
  // Ctrl+L, shown in the menu, reads the page all the same.
  EXPECT_EQ(form_->Repeat1->shortcut(), QKeySequence("Ctrl+L"));
  QTest::keyClick(form_->focusWidget(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(log_, (Log{"say Hello.\nPick one."}));
}

TEST_F(ReadingAloud, WhatTheEngineIsHanded) {
  struct Row {
    const char* what;
    QString key;  // the choice taken while the first page is being read
    int ends;     // texts the engine finishes before the key
    Log spoken;
  } rows[] = {
      {"a page with choices, read to its end",
       "",
       4,
       {"say Hello.\nPick one.", "say A: First", "say B: Lost"}},
      {"a choice taken mid-speech",
       "a",
       0,
       {"say Hello.\nPick one.", "stop", "say Only one way on."}},
      {"a choice taken while a choice is read",
       "a",
       1,
       {"say Hello.\nPick one.", "say A: First", "stop", "say Only one way on."}},
      // The missing block adds its line to the page: that line alone.
      {"a choice whose block is missing",
       "b",
       0,
       {"say Hello.\nPick one.", "stop", "say Jump Address Error : LOST"}},
  };
  for (const Row& row : rows) {
    NewWindow();
    form_->Speech1->trigger();
    ASSERT_TRUE(form_->Speaker().Automatic());
    Open();
    for (int i = 0; i < row.ends; ++i) engine_->End();
    if (!row.key.isEmpty()) Key(row.key);
    EXPECT_EQ(log_, row.spoken) << row.what;
  }
}

TEST_F(ReadingAloud, TurnedOnItReadsThePageShownTurnedOffItStops) {
  Open();
  form_->Speech1->trigger();
  EXPECT_EQ(log_, (Log{"say Hello.\nPick one."}));
  form_->Speech1->trigger();
  EXPECT_EQ(log_, (Log{"say Hello.\nPick one.", "stop"}));
  engine_->End();  // the stopped text's late end says nothing more
  EXPECT_EQ(log_.size(), 2u);
}

TEST_F(ReadingAloud, TheErrorBoxIsReadAsItComesUp) {
  form_->Speech1->trigger();
  QString read_by_screen_reader;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      read_by_screen_reader = box->accessibleDescription();
      box->accept();
    }
  });
  closer.start(20);
  form_->ShowErrorBox("/stories/story.qvn", "Input/output error");
  EXPECT_EQ(log_, (Log{"say /stories/story.qvn\nInput/output error"}));
  EXPECT_EQ(read_by_screen_reader, "/stories/story.qvn\nInput/output error");
}

TEST_F(ReadingAloud, OptionAndSpeedAreKeptInTheSettings) {
  form_->Speech1->trigger();
  QAction* fastest = form_->SpeechRate1->actions().last();
  fastest->trigger();
  EXPECT_EQ(log_.back(), "rate 0.5");
  form_->close();
  Bytes file = ReadBytes(folder_ / "program" / "qvn.ini");
  EXPECT_NE(file.find("SPEECH=1\r\n"), Bytes::npos);
  EXPECT_NE(file.find("SPEECHRATE=2\r\n"), Bytes::npos);
  MainForm again((folder_ / "program").string() + "/");
  EXPECT_TRUE(again.Speech1->isChecked());
  EXPECT_TRUE(again.SpeechRate1->actions().last()->isChecked());
  EXPECT_EQ(again.Speaker().RateStep(), 2);
}

#ifdef QVN_HAVE_SPEECH
// A real voice: Flite speaks into whatever sound server the test has (the
// script beside this test starts a silent one). It starts, and it stops, and
// speaks again after being stopped.
TEST(FliteSpeech, StartsAndStops) {
  if (!QTextToSpeech::availableEngines().contains("flite")) GTEST_SKIP() << "no Flite plugin";
  QtSpeechEngine engine("flite");
  QTextToSpeech& speech = engine.Speech();
  if (speech.state() == QTextToSpeech::Error)
    GTEST_SKIP() << "Flite: " << speech.errorString().toStdString();
  std::vector<QTextToSpeech::State> states;
  QObject::connect(&speech, &QTextToSpeech::stateChanged,
                   [&](QTextToSpeech::State state) { states.push_back(state); });
  int finished = 0;
  engine.finished = [&] { ++finished; };
  engine.Say("The library is dark and the shelves are high. A book falls.");
  auto waited = [](const std::function<bool()>& done) {
    for (int i = 0; i < 10 && !done(); ++i) WaitFor(done);
    return done();
  };
  if (!waited([&] { return !states.empty(); }) || states.front() == QTextToSpeech::Error)
    GTEST_SKIP() << "no sound device for Flite";
  EXPECT_EQ(states.front(), QTextToSpeech::Speaking);
  engine.Stop();
  ASSERT_TRUE(waited([&] { return speech.state() != QTextToSpeech::Speaking; }));
  EXPECT_EQ(finished, 0);  // a stopped text does not count as said
  states.clear();
  engine.Say("Again.");
  ASSERT_TRUE(waited([&] { return finished == 1; }));
  EXPECT_EQ(states.front(), QTextToSpeech::Speaking);
}
#endif

}  // namespace
}  // namespace qvn::testing
