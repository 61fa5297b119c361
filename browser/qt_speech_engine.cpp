#include "browser/qt_speech_engine.h"

namespace qvn {

namespace {

QTextToSpeech* MakeSpeech(const QString& engine, QObject* parent) {
  if (!engine.isEmpty()) return new QTextToSpeech(engine, parent);
  const QStringList engines = QTextToSpeech::availableEngines();
  for (const char* name : {"speechd", "flite"}) {
    if (!engines.contains(name)) continue;
    auto* speech = new QTextToSpeech(name, parent);
    // No speech service runs: try the next.
    if (speech->state() != QTextToSpeech::Error) return speech;
    delete speech;
  }
  return new QTextToSpeech(parent);
}

}  // namespace

QtSpeechEngine::QtSpeechEngine(const QString& engine, QObject* parent)
    : QObject(parent), speech_(MakeSpeech(engine, this)) {
  stop_by_silence_ = speech_->engine() == "flite";
  connect(speech_, &QTextToSpeech::stateChanged, this, &QtSpeechEngine::StateChanged);
}

void QtSpeechEngine::Say(const QString& text) {
  ++utterance_;
  if (draining_) {
    pending_ = text;
    has_pending_ = true;
    return;
  }
  Start(text);
}

void QtSpeechEngine::Start(const QString& text) {
  awaiting_ = true;
  started_ = false;
  ++utterance_;
  speech_->say(text);
}

void QtSpeechEngine::Stop() {
  awaiting_ = false;
  started_ = false;
  has_pending_ = false;
  ++utterance_;
  if (!stop_by_silence_) {
    speech_->stop();
    return;
  }
  if (speech_->state() == QTextToSpeech::Speaking && !draining_) {
    draining_ = true;
    volume_ = speech_->volume();
    speech_->setVolume(0);
  }
}

void QtSpeechEngine::SetRate(double rate) {
  speech_->setRate(rate);
}

void QtSpeechEngine::StateChanged(QTextToSpeech::State state) {
  const bool at_rest = state == QTextToSpeech::Ready || state == QTextToSpeech::Error;
  if (draining_) {
    if (!at_rest) return;
    draining_ = false;
    speech_->setVolume(volume_);
    // Not from inside the engine's own notice: it may be mid-change.
    if (has_pending_) {
      has_pending_ = false;
      const unsigned waiting = utterance_;
      QMetaObject::invokeMethod(
          this,
          [this, waiting, text = pending_] {
            if (waiting == utterance_ && !draining_) Start(text);
          },
          Qt::QueuedConnection);
    }
    return;
  }
  // A stopped text reports its end after the next one was handed over: only
  // an end that follows the start of the awaited text counts.
  if (!awaiting_) return;
  if (state == QTextToSpeech::Speaking) {
    started_ = true;
    return;
  }
  if (!started_ || !at_rest) return;
  awaiting_ = false;
  started_ = false;
  const unsigned ended = utterance_;
  QMetaObject::invokeMethod(
      this,
      [this, ended] {
        // Nothing new was handed over or stopped in the meantime.
        if (ended == utterance_ && finished) finished();
      },
      Qt::QueuedConnection);
}

}  // namespace qvn
