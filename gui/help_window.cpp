#include "gui/help_window.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qvn {

HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName("HelpWindow");
  browser_->setObjectName("HelpBrowser");
  // Links to the web go to the desktop's browser; the manual's own stay here.
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(640, 560);
  // Closed from the keyboard as a dialog is, and as Ctrl+W closes a document.
  auto* close_action = new QAction(this);
  close_action->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence("Ctrl+W")});
  close_action->setShortcutContext(Qt::WindowShortcut);
  connect(close_action, &QAction::triggered, this, &QWidget::close);
  addAction(close_action);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
    setWindowTitle(browser_->documentTitle().isEmpty() ? browser_->source().fileName()
                                                       : browser_->documentTitle());
  });
}

HelpWindow* HelpWindow::ShowHelp(QWidget* owner, const std::string& manual_name,
                                 const std::string& manual, const QString& topic) {
  if (manual.empty()) {
    QMessageBox::warning(owner, owner ? owner->windowTitle() : QString(),
                         tr("説明書が見つかりません: %1").arg(QString::fromStdString(manual_name)));
    return nullptr;
  }
  auto* window =
      owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  if (!window) window = new HelpWindow(owner);
  QUrl url = QUrl::fromLocalFile(QFileInfo(QString::fromStdString(manual)).absoluteFilePath());
  url.setFragment(topic);
  window->browser_->setSource(url);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace qvn
