#pragma once
// Helpers for driving the workbench's widgets offscreen.
#include <QApplication>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace qvn {

// The one application object of a test program.
QApplication& TestApp();

// Acts on each modal dialog the code under test opens while it is alive:
// `act` gets the dialog and must close it (the default rejects it and notes
// its text). Polls, since a modal dialog runs its own event loop.
class ModalWatcher {
 public:
  explicit ModalWatcher(std::function<void(QWidget*)> act = nullptr);
  ~ModalWatcher();
  const QStringList& Texts() const { return texts_; }
  int Count() const { return count_; }

 private:
  struct Poller;
  std::unique_ptr<Poller> poller_;
  std::function<void(QWidget*)> act_;
  QStringList texts_;
  int count_ = 0;
};

}  // namespace qvn
