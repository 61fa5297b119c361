#include "tests/browser/dialog_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

namespace qvn::testing {

DialogDriver::DialogDriver() {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
  timer_.start();
}

void DialogDriver::Poll() {
  auto* box = qobject_cast<AboutBox*>(QApplication::activeModalWidget());
  if (!box || !box->isVisible() || answers_.empty()) return;
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  ++seen_;
  answer(*box);
}

void DialogDriver::ChooseSlot(int slot) {
  Then([slot](AboutBox& box) {
    box.Slots()->button(slot)->click();
    box.OkButton()->click();
  });
}

void DialogDriver::Enter(const QString& value) {
  Then([value](AboutBox& box) {
    box.ValueField()->setText(value);
    box.OkButton()->click();
  });
}

void DialogDriver::Acknowledge() {
  Then([](AboutBox& box) { box.OkButton()->click(); });
}

bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 2000) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return done();
}

}  // namespace qvn::testing
