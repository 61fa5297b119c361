#pragma once
// SIGTERM, SIGINT and SIGHUP close a program's main window in order, as its
// own exit command does (its settings are written), and then end the event
// loop with status 0. The sound library installs handlers of its own that
// nothing acts on; these are installed first, so it leaves them alone, and
// Reinstall() puts them back should anything have replaced them since.
#include <QObject>
#include <csignal>

class QSocketNotifier;
class QWidget;

namespace qvn {

// The result a dialog is closed with when a signal ends the program: a
// dialog that insists on an answer (one that re-opens until OK) lets it go.
inline constexpr int kDialogClosedForExit = 0x51C;

class CloseOnSignals : public QObject {
  Q_OBJECT
 public:
  // A child of `window`; the previous handlers come back when it is destroyed.
  explicit CloseOnSignals(QWidget* window);
  ~CloseOnSignals() override;

  static void Reinstall();

 private:
  void OnSignal();
  void TryToClose();

  QWidget* window_;
  QSocketNotifier* notifier_ = nullptr;
  int read_fd_ = -1;
  int write_fd_ = -1;
  bool closing_ = false;
  struct sigaction previous_[3] = {};
};

}  // namespace qvn
