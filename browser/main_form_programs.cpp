// Programs that stories start: the question before each start, the setting
// that starts none, and the stories the reader always allows.
#include <QApplication>
#include <QMenu>

#include "browser/allowed_stories_dialog.h"
#include "browser/main_form.h"
#include "browser/program_question.h"
#include "browser/qt_text.h"

namespace qvn {

void MainForm::CreateProgramMenu() {
  Programs1 = Option1->addMenu(tr("外部プログラム(&P)"));
  Programs1->setObjectName("Programs1");
  NoPrograms1 = Programs1->addAction(tr("起動しない(&N)"));
  NoPrograms1->setObjectName("NoPrograms1");
  NoPrograms1->setCheckable(true);
  AllowedStories1 = Programs1->addAction(tr("常に許可した物語(&A)..."));
  AllowedStories1->setObjectName("AllowedStories1");
  connect(NoPrograms1, &QAction::toggled, this,
          [this](bool checked) { session_.Options().programs.programs_off = checked; });
  connect(AllowedStories1, &QAction::triggered, this, [this] { AllowedStories1Click(); });
}

void MainForm::AllowedStories1Click() {
  ProgramPermissions& programs = session_.Options().programs;
  programs.allowed_stories = AllowedStoriesDialog::Edit(this, programs.allowed_stories);
}

ProgramAnswer MainForm::AskToStartProgram(const ProgramRequest& request) {
  // The block's busy pointer would hide that an answer is awaited.
  bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::restoreOverrideCursor();
  ProgramAnswer answer = ProgramQuestion::Ask(this, request);
  if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
  return answer;
}

}  // namespace qvn
