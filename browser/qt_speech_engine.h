#pragma once
// The speech engine of Qt TextToSpeech: the system's speech service when one
// answers, otherwise the built-in Flite voice.
#include <QObject>
#include <QTextToSpeech>

#include "browser/speech_engine.h"

namespace qvn {

class QtSpeechEngine : public QObject, public SpeechEngine {
  Q_OBJECT
 public:
  // An empty `engine` chooses: "speechd", then "flite", then Qt's default.
  explicit QtSpeechEngine(const QString& engine = {}, QObject* parent = nullptr);

  void Say(const QString& text) override;
  void Stop() override;
  void SetRate(double rate) override;

  QTextToSpeech& Speech() { return *speech_; }

 private:
  void StateChanged(QTextToSpeech::State state);
  void Start(const QString& text);

  QTextToSpeech* speech_ = nullptr;
  // Qt's Flite engine crashes when stopped while it synthesises: its text is
  // silenced and left to run out, and the next one waits for that.
  bool stop_by_silence_ = false;
  bool draining_ = false;
  QString pending_;
  bool has_pending_ = false;
  double volume_ = 1;
  bool awaiting_ = false;  // a text was handed over and not stopped
  bool started_ = false;   // ... and the engine has begun to speak it
  unsigned utterance_ = 0;
};

}  // namespace qvn
