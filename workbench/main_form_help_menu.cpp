// The help menu: the manual and the version box.
#include <QMenuBar>

#include "gui/help_window.h"
#include "platform/manual.h"
#include "workbench/main_form.h"
#include "workbench/main_form_text.h"
#include "workbench/password_dialog.h"

namespace qvn {

using form::Text;

namespace {
const char kHelpTopic[] = "HID00000005";
}  // namespace

void MainForm::CreateHelpMenu() {
  Help1 = menuBar()->addMenu(tr("説明(&H)"));
  Help1->setObjectName("Help1");
  Index1 = AddItem(Help1, "Index1", tr("目次(&I)"), Qt::Key_F1, &MainForm::Index1Click);
  About1 = AddItem(Help1, "About1", tr("バージョン(&A)"), QKeySequence(), &MainForm::About1Click);
}

void MainForm::Index1Click() {
  HelpWindow::ShowHelp(this, kWorkbenchManual, ManualPath(kWorkbenchManual), kHelpTopic);
}

void MainForm::About1Click() {
  PasswordDialog dialog(PasswordDialog::Mode::kAbout, this);
  dialog.exec();
}

}  // namespace qvn
