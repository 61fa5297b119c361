#pragma once
// What reading aloud needs of a speech synthesiser: say a text, stop, a rate.
// The window speaks through this, so that tests record what it would say.
#include <QString>
#include <functional>

namespace qvn {

class SpeechEngine {
 public:
  virtual ~SpeechEngine() = default;

  // Starts speaking `text`; `finished` is called once all of it was said (not
  // when it is stopped).
  virtual void Say(const QString& text) = 0;
  virtual void Stop() = 0;
  // -1 slowest, 0 the system's own speed, 1 fastest.
  virtual void SetRate(double rate) = 0;

  std::function<void()> finished;
};

}  // namespace qvn
