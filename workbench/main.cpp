// QvnMakeW: the author's workbench.
#include <QApplication>

#include "gui/application_setup.h"
#include "platform/program_folder.h"
#include "platform/settings_location.h"
#include "workbench/main_form.h"
#include "workbench/program_identity.h"
#include "workbench/workbench_settings.h"

int main(int argc, char* argv[]) {
  if (auto status = qvn::PrintInfoOptionInLanguage(argc, argv, qvn::WorkbenchProgramInfo()))
    return *status;
  QApplication app(argc, argv);
  qvn::SetWorkbenchIdentity();
  QApplication::setApplicationName("QVN-Maker3");
  // The stories' fonts as Debian provides them, and Qt's texts in Japanese.
  qvn::SetUpApplication(app, qvn::kWorkbenchSettingsFile);
  QStringList arguments = QApplication::arguments();
  qvn::MainForm form(qvn::SettingsFoldersFor(qvn::ProgramFolder()), arguments.value(1));
  form.show();
  return app.exec();
}
