#include "gui/close_on_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cerrno>

namespace qvn {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kRetryMs = 50;

// The one thing a signal handler may reach: the pipe's end it writes to.
std::atomic<int> signal_pipe{-1};

extern "C" void WriteSignalToPipe(int signal_number) {
  int saved = errno;
  unsigned char byte = static_cast<unsigned char>(signal_number);
  int fd = signal_pipe.load();
  if (fd >= 0) (void)::write(fd, &byte, 1);
  errno = saved;
}

void InstallHandlers(struct sigaction* previous) {
  struct sigaction action = {};
  action.sa_handler = &WriteSignalToPipe;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    ::sigaction(kSignals[i], &action, previous ? &previous[i] : nullptr);
}

}  // namespace

CloseOnSignals::CloseOnSignals(QWidget* window) : QObject(window), window_(window) {
  int fds[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0) return;
  read_fd_ = fds[0];
  write_fd_ = fds[1];
  signal_pipe.store(write_fd_);
  notifier_ = new QSocketNotifier(read_fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { OnSignal(); });
  InstallHandlers(previous_);
}

CloseOnSignals::~CloseOnSignals() {
  if (read_fd_ < 0) return;
  // Only the newest window's handlers are in place; an older one leaves them.
  int mine = write_fd_;
  if (signal_pipe.compare_exchange_strong(mine, -1)) {
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
      ::sigaction(kSignals[i], &previous_[i], nullptr);
  }
  ::close(read_fd_);
  ::close(write_fd_);
}

void CloseOnSignals::Reinstall() {
  if (signal_pipe.load() >= 0) InstallHandlers(nullptr);
}

void CloseOnSignals::OnSignal() {
  unsigned char bytes[16];
  while (::read(read_fd_, bytes, sizeof bytes) > 0) {
  }
  if (closing_) {
    // Asked again while a close is still refused: end now.
    QCoreApplication::exit(0);
    return;
  }
  closing_ = true;
  TryToClose();
}

void CloseOnSignals::TryToClose() {
  // A menu or a dialog that waits for an answer is dismissed first, as
  // Escape would; the window closes once nothing holds it open.
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  if (QWidget* modal = QApplication::activeModalWidget()) {
    if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->done(kDialogClosedForExit);
    else
      modal->close();
    QTimer::singleShot(kRetryMs, this, [this] { TryToClose(); });
    return;
  }
  if (!window_->isVisible() || window_->close()) {
    QCoreApplication::exit(0);
    return;
  }
  QTimer::singleShot(kRetryMs, this, [this] { TryToClose(); });
}

}  // namespace qvn
