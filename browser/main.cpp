// QVN3: the reader's browser.
#include <QApplication>

#include "browser/main_form.h"
#include "browser/program_identity.h"
#include "gui/application_setup.h"
#include "platform/program_folder.h"

int main(int argc, char** argv) {
  if (auto status = qvn::PrintInfoOptionInLanguage(argc, argv, qvn::BrowserProgramInfo()))
    return *status;
  QApplication application(argc, argv);
  qvn::SetBrowserIdentity();
  qvn::SetUpApplication(application, "qvn.ini");
  QApplication::setApplicationName(QApplication::translate("QVN3", "QVNブラウザ v3"));
  qvn::MainForm form(qvn::ProgramFolder());
  if (argc > 1) form.SetCommandLineStory(argv[1]);
  form.show();
  return application.exec();
}
