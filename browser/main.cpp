// QVN3: the reader's browser.
#include <QApplication>

#include "browser/main_form.h"
#include "browser/qt_text.h"
#include "platform/program_folder.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(qvn::FromUtf8(u8"QVNブラウザ v3"));
  qvn::MainForm form(qvn::ProgramFolder());
  if (argc > 1) form.SetCommandLineStory(argv[1]);
  form.show();
  return application.exec();
}
