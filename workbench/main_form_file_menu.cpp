// The file menu: opening a source, editing and compiling it, the companion
// programs, the JPEG converter, the end and the looks at the compiled story.
#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <filesystem>

#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/process_start.h"
#include "workbench/jpeg_dialog.h"
#include "workbench/log_view_sink.h"
#include "workbench/main_form.h"
#include "workbench/main_form_text.h"

namespace qvn {

using form::kCaption;
using form::kOpenFilter;
using form::Text;
using form::ToPath;

void MainForm::CreateFileMenu() {
  File1 = menuBar()->addMenu(tr("ファイル(&F)"));
  File1->setObjectName("File1");
  Open1 = AddItem(File1, "Open1", tr("開く(&O)"), Qt::Key_F3, &MainForm::Open1Click);
  Compile1 = AddItem(File1, "Compile1", tr("コンパイル(&C)"), Qt::Key_F9, &MainForm::Compile1Click);
  Edit1 = AddItem(File1, "Edit1", tr("エディタで編集(&E)"), Qt::Key_F10, &MainForm::Edit1Click);
  Browser1 =
      AddItem(File1, "Browser1", tr("ブラウザの起動(&B)"), Qt::Key_F11, &MainForm::Browser1Click);
  Debugger1 =
      AddItem(File1, "Debugger1", tr("デバッガの起動(&D)"), Qt::Key_F12, &MainForm::Debugger1Click);
  JPEG1 = AddItem(File1, "JPEG1", tr("&JPEGチェンジャー"), Qt::Key_F5, &MainForm::JPEG1Click);
  // The looks at the compiled story come before the end, which stays last.
  File1->addSeparator()->setObjectName("N2");
  StoryCheck1 = AddItem(File1, "StoryCheck1", tr("ストーリー検査(&S)"), QKeySequence(),
                        &MainForm::StoryCheck1Click);
  StoryGraph1 = AddItem(File1, "StoryGraph1", tr("ストーリー図(&G)"), QKeySequence(),
                        &MainForm::StoryGraph1Click);
  WebExport1 = AddItem(File1, "WebExport1", tr("&Web用に書き出す..."), QKeySequence(),
                       &MainForm::WebExport1Click);
  File1->addSeparator()->setObjectName("N1");
  Exit1 = AddItem(File1, "Exit1", tr("終了(&X)"), QKeySequence(), nullptr);
  connect(Exit1, &QAction::triggered, this, &QWidget::close);
}

void MainForm::Open1Click() {
  QFileDialog dialog(this, Text("QVN-Maker2 File Dialog"));
  dialog.setNameFilters(Text(kOpenFilter).split(";;"));
  dialog.setDefaultSuffix("txt");
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setOption(QFileDialog::ReadOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  QString chosen = dialog.selectedFiles().first();
  if (!ResolveExisting(std::filesystem::path(ToPath(chosen)))) {
    auto answer = QMessageBox::question(
        this, Text("QVN-Maker2 File Dialog"),
        tr("%1\nこのファイルは存在しません。\nファイルを作成しますか?").arg(chosen));
    if (answer != QMessageBox::Yes) return;
  }
  OpenSource(chosen);
}

void MainForm::Edit1Click() {
  if (!Edit1->isEnabled()) return;
  if (!Self1->isChecked()) {
    StartProgramArguments(EditorCommandWords());
    return;
  }
  if (built_in_editing_) return;
  Memo1->ClearLog();
  Bytes source;
  FileResult read = ReadWholeFile(source_path_, source);
  if (!read.ok) {
    ShowFileError(source_path_, read.reason);
    return;
  }
  editable_ = EditableSource::FromBytes(source, CurrentSourceEncoding());
  Memo1->StartEditing(QString::fromStdString(editable_.text()));
  built_in_editing_ = true;
}

void MainForm::Compile1Click() {
  if (compiling_ || !Compile1->isEnabled()) return;
  if (!CloseBuiltInEditing()) return;
  compiling_ = true;
  LockMenus(true);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Memo1->ClearLog();
  LogViewSink sink(*Memo1);
  CompileResult result = Compile(source_path_, CurrentCompileOptions(), sink);
  QApplication::restoreOverrideCursor();
  LockMenus(false);
  compiling_ = false;
  if (result.outcome == CompileOutcome::kSourceUnreadable)
    ShowFileError(source_path_, result.reason);
  // The compiler's reason for a user data file already names the file.
  if (result.outcome == CompileOutcome::kUserDataFailure)
    QMessageBox::critical(this, kCaption, QString::fromStdString(result.reason));
}

// One word each, so a program folder whose path holds spaces still works.
void MainForm::Browser1Click() {
  StartProgramArguments({folders_.program_folder + "QVN3"});
}

void MainForm::Debugger1Click() {
  StartProgramArguments({folders_.program_folder + "QVND"});
}

void MainForm::JPEG1Click() {
  JpegDialog dialog(this);
  dialog.exec();
}

}  // namespace qvn
