// Reading aloud: the items of the settings menu, the speaker the window
// drives, and what it hands the speaker for each page.
#include <QActionGroup>
#include <QMenuBar>

#include "browser/main_form.h"
#include "browser/page_speaker.h"
#include "browser/qt_text.h"
#include "browser/spoken_page.h"
#ifdef QVN_HAVE_SPEECH
#include "browser/qt_speech_engine.h"
#endif

namespace qvn {

void MainForm::CreateSpeech() {
  PageSpeaker::EngineFactory make_engine;
#ifdef QVN_HAVE_SPEECH
  make_engine = [] { return std::make_unique<QtSpeechEngine>(); };
#endif
  speaker_ = std::make_unique<PageSpeaker>(std::move(make_engine));
#ifdef QVN_HAVE_SPEECH
  // Among the settings, before the 4:3 command.
  Reading1 = new QMenu(tr("読み上げ(&V)"), Option1);
  Option1->insertMenu(balance1, Reading1);
  Reading1->setObjectName("Reading1");
  Speech1 = Reading1->addAction(tr("ページを読み上げる(&V)"));
  Speech1->setObjectName("Speech1");
  Speech1->setCheckable(true);
  // Turned on, it reads the page shown at once.
  connect(Speech1, &QAction::triggered, this, [this](bool on) {
    speaker_->SetAutomatic(on);
    if (on) speaker_->Repeat();
  });
  // R is the reopen command's: L as in "listen".
  Repeat1 = Reading1->addAction(tr("もう一度読む(&L)"));
  Repeat1->setObjectName("Repeat1");
  Repeat1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  connect(Repeat1, &QAction::triggered, this, [this] { speaker_->Repeat(); });
  SpeechRate1 = Reading1->addMenu(tr("速さ(&S)"));
  SpeechRate1->setObjectName("SpeechRate1");
  auto* rates = new QActionGroup(SpeechRate1);
  const QString names[] = {tr("とても遅く"), tr("遅く"), tr("標準", "reading-aloud speed"),
                           tr("速く"), tr("とても速く")};
  for (int step = kSlowestSpeechStep; step <= kFastestSpeechStep; ++step) {
    QAction* rate = SpeechRate1->addAction(names[step - kSlowestSpeechStep]);
    rate->setObjectName(QString("SpeechRateStep%1").arg(step - kSlowestSpeechStep + 1));
    rate->setCheckable(true);
    rate->setData(step);
    rates->addAction(rate);
    connect(rate, &QAction::triggered, this, [this, step] { speaker_->SetRateStep(step); });
  }
#endif
}

void MainForm::ApplySpeechSettings() {
  speaker_->SetAutomatic(settings_.speech);
  speaker_->SetRateStep(settings_.speech_rate);
  if (Speech1) Speech1->setChecked(settings_.speech);
  if (SpeechRate1)
    for (QAction* rate : SpeechRate1->actions())
      rate->setChecked(rate->data().toInt() == speaker_->RateStep());
}

void MainForm::CollectSpeechSettings() {
  settings_.speech = speaker_->Automatic();
  settings_.speech_rate = speaker_->RateStep();
}

void MainForm::SpeakNewPage() {
  std::vector<Bytes> captions;
  for (int k = 1; k <= session_.ChoiceCount(); ++k) captions.push_back(session_.Choice(k).caption);
  speaker_->NewPage(SpokenPage(page_lines_, captions));
}

}  // namespace qvn
