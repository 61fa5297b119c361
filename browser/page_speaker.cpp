#include "browser/page_speaker.h"

#include <algorithm>
#include <utility>

namespace qvn {

PageSpeaker::PageSpeaker(EngineFactory make_engine) : make_engine_(std::move(make_engine)) {}

PageSpeaker::~PageSpeaker() {
  if (engine_) engine_->finished = nullptr;
}

double SpeechRate(int step) {
  return std::clamp(step, kSlowestSpeechStep, kFastestSpeechStep) * 0.25;
}

void PageSpeaker::SetEngine(std::unique_ptr<SpeechEngine> engine) {
  Stop();
  Install(std::move(engine));
}

void PageSpeaker::Install(std::unique_ptr<SpeechEngine> engine) {
  engine_ = std::move(engine);
  engine_made_ = true;
  if (!engine_) return;
  engine_->finished = [this] { SayNext(); };
  engine_->SetRate(SpeechRate(rate_step_));
}

SpeechEngine* PageSpeaker::Engine() {
  if (!engine_made_) Install(make_engine_ ? make_engine_() : nullptr);
  return engine_.get();
}

void PageSpeaker::SetAutomatic(bool automatic) {
  automatic_ = automatic;
  if (!automatic_) Stop();
}

void PageSpeaker::SetRateStep(int step) {
  rate_step_ = std::clamp(step, kSlowestSpeechStep, kFastestSpeechStep);
  if (engine_) engine_->SetRate(SpeechRate(rate_step_));
}

void PageSpeaker::NewPage(QStringList texts) {
  page_ = std::move(texts);
  if (automatic_) {
    Speak(page_);
  } else {
    Stop();
  }
}

void PageSpeaker::LineAdded(const QString& line) {
  page_.append(line);
  if (automatic_) Speak({line});
}

void PageSpeaker::Announce(const QString& text) {
  if (automatic_) Speak({text});
}

void PageSpeaker::Repeat() {
  Speak(page_);
}

void PageSpeaker::Stop() {
  queue_.clear();
  if (!speaking_) return;
  speaking_ = false;
  if (engine_) engine_->Stop();
}

void PageSpeaker::Speak(QStringList texts) {
  Stop();
  for (QString& text : texts)
    if (!text.trimmed().isEmpty()) queue_.push_back(std::move(text));
  SayNext();
}

void PageSpeaker::SayNext() {
  speaking_ = false;
  if (queue_.empty()) return;
  SpeechEngine* engine = Engine();
  if (!engine) {
    queue_.clear();
    return;
  }
  QString text = std::move(queue_.front());
  queue_.pop_front();
  speaking_ = true;
  engine->Say(text);
}

}  // namespace qvn
