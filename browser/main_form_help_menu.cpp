// The help menu: the manual and the version box.
#include <QMenuBar>

#include "browser/about_box.h"
#include "browser/main_form.h"
#include "browser/menu_item.h"
#include "browser/runtime_text.h"
#include "gui/help_window.h"
#include "platform/manual.h"
#include "runtime/slot_dialog.h"

namespace qvn {

void MainForm::CreateHelpMenu() {
  QMenu* help = menuBar()->addMenu(tr("説明(&H)"));
  help->setObjectName("Help1");
  Index1 = AddMenuItem(help, "Index1", tr("目次(&I)"), QKeySequence(Qt::Key_F1));
  About1 = AddMenuItem(help, "About1", tr("バージョン情報(&A)"));
  connect(Index1, &QAction::triggered, this, [this] {
    HelpWindow::ShowHelp(this, kBrowserManual, ManualPath(kBrowserManual), "HID00000002");
  });
  connect(About1, &QAction::triggered, this,
          [this] { AboutBox::ShowMessage(this, RuntimeText(VersionText(session_.Index()))); });
}

}  // namespace qvn
