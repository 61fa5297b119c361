#include "qt_test_support.h"

#include <QDialog>
#include <QFont>
#include <QMessageBox>
#include <QTimer>

namespace qvn {

QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "workbench_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit, other statics Qt relies on may already be gone.
  static QApplication* app = new QApplication(argc, argv);
  static bool fonts = [] {
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ ゴシック"), "IPAGothic");
    return true;
  }();
  (void)fonts;
  return *app;
}

struct ModalWatcher::Poller {
  QTimer timer;
};

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> act)
    : poller_(std::make_unique<Poller>()), act_(std::move(act)) {
  TestApp();
  QObject::connect(&poller_->timer, &QTimer::timeout, [this] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    ++count_;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) texts_ << box->text();
    if (act_) {
      act_(modal);
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  });
  poller_->timer.start(10);
}

ModalWatcher::~ModalWatcher() = default;

}  // namespace qvn
