#pragma once
// Answers the browser's modal dialogs in tests: each time one comes up, the
// next scripted answer acts on it.
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

#include "browser/about_box.h"

namespace qvn::testing {

class DialogDriver : public QObject {
 public:
  using Answer = std::function<void(AboutBox&)>;

  DialogDriver();
  void Then(Answer answer) { answers_.push_back(std::move(answer)); }
  // Ok with slot `slot` selected.
  void ChooseSlot(int slot);
  // Ok with `value` in the prompt's field.
  void Enter(const QString& value);
  // Ok on a message.
  void Acknowledge();
  bool Done() const { return answers_.empty(); }
  int Seen() const { return seen_; }

 private:
  void Poll();
  QTimer timer_;
  std::deque<Answer> answers_;
  int seen_ = 0;
};

// Processes events until `done` holds or about two seconds have passed.
bool WaitFor(const std::function<bool()>& done);

}  // namespace qvn::testing
