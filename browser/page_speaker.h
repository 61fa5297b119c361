#pragma once
// Reading aloud: the page's texts spoken one after another through a speech
// engine, the page kept for a repeat, and silence when a choice is taken.
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

#include "browser/speech_engine.h"

namespace qvn {

// The reader's speed steps, slowest to fastest; 0 is the system's own.
inline constexpr int kSlowestSpeechStep = -2;
inline constexpr int kFastestSpeechStep = 2;

class PageSpeaker {
 public:
  using EngineFactory = std::function<std::unique_ptr<SpeechEngine>()>;

  // The engine is made when the first text is spoken, so that a reader who
  // never asks for speech never starts a speech service.
  explicit PageSpeaker(EngineFactory make_engine);
  ~PageSpeaker();

  // Replaces the engine (a test's recorder); null: nothing is spoken.
  void SetEngine(std::unique_ptr<SpeechEngine> engine);

  // Reading aloud: each new page is spoken as it comes.
  void SetAutomatic(bool automatic);
  bool Automatic() const { return automatic_; }
  void SetRateStep(int step);
  int RateStep() const { return rate_step_; }

  // A new page (its texts in reading order): kept, and spoken when reading
  // aloud is on, cutting off what was being said.
  void NewPage(QStringList texts);
  // A line added to the page shown (a jump error): kept, and said alone.
  void LineAdded(const QString& line);
  // A message the reader must hear now (an error box), when reading aloud.
  void Announce(const QString& text);
  // The page again from its start, whether reading aloud is on or not.
  void Repeat();
  void Stop();
  bool Speaking() const { return speaking_; }

 private:
  void Install(std::unique_ptr<SpeechEngine> engine);
  void Speak(QStringList texts);
  void SayNext();
  SpeechEngine* Engine();

  EngineFactory make_engine_;
  std::unique_ptr<SpeechEngine> engine_;
  bool engine_made_ = false;
  bool automatic_ = false;
  int rate_step_ = 0;
  bool speaking_ = false;
  QStringList page_;
  std::deque<QString> queue_;
};

// The engine's rate for a speed step.
double SpeechRate(int step);

}  // namespace qvn
