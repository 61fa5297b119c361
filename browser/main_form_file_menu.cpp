// The file menu: opening a story, reopening it, the temporary save and the end.
#include <QFileInfo>
#include <QMenuBar>

#include "browser/main_form.h"
#include "browser/menu_item.h"
#include "browser/story_open_dialog.h"

namespace qvn {

void MainForm::CreateFileMenu() {
  File1 = menuBar()->addMenu(tr("ファイル(&F)"));
  File1->setObjectName("File1");
  Project1 = AddMenuItem(File1, "Project1", tr("開く(&O)"), QKeySequence("Ctrl+O"));
  Fixed1 = AddMenuItem(File1, "Fixed1", tr("開き直す(&R)"), QKeySequence("Ctrl+R"));
  Temp1 = AddMenuItem(File1, "Temp1", tr("一時保存(&T)"), QKeySequence("Ctrl+S"));
  OpenTmp1 = AddMenuItem(File1, "OpenTmp1", tr("一時保存を開く(&Y)"), QKeySequence("Ctrl+T"));
  Exit1 = AddMenuItem(File1, "Exit1", tr("終了(&X)"), QKeySequence("Ctrl+Q"));
  Temp1->setEnabled(false);
  OpenTmp1->setEnabled(false);
  connect(File1, &QMenu::aboutToShow, this,
          [this] { Fixed1->setEnabled(!session_.Location().story_folder.empty()); });
  connect(Project1, &QAction::triggered, this, [this] { Project1Click(); });
  connect(Fixed1, &QAction::triggered, this, [this] { Fixed1Click(); });
  connect(Temp1, &QAction::triggered, this, [this] { Temp1Click(); });
  connect(OpenTmp1, &QAction::triggered, this, [this] { OpenTmp1Click(); });
  connect(Exit1, &QAction::triggered, this, &QWidget::close);
}

void MainForm::Project1Click() {
  if (session_.IsRunning()) return;
  // The open story's folder, else the folder last chosen from.
  QString start = QString::fromStdString(session_.Location().story_folder);
  if (start.isEmpty()) start = last_open_folder_;
  QString file = ChooseStoryFile(this, start);
  if (file.isEmpty()) return;
  last_open_folder_ = QFileInfo(file).absolutePath();
  StopSound();
  session_.CloseStory();
  session_.SetStory(file.toStdString());
  session_.OpenStory();
}

void MainForm::Fixed1Click() {
  if (session_.IsRunning() || session_.Location().story_folder.empty()) return;
  session_.ReopenStory();
}

void MainForm::Temp1Click() {
  // The session decides: after the end of the story it saves the reset state.
  session_.TempSave();
}

void MainForm::OpenTmp1Click() {
  if (session_.IsRunning()) return;
  session_.OpenTempSave();
}

}  // namespace qvn
