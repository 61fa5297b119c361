#include "workbench/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "common/encoding.h"
#include "gui/font_dialog.h"
#include "gui/help_window.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/manual.h"
#include "platform/process_start.h"
#include "workbench/editor_command.h"
#include "workbench/jpeg_dialog.h"
#include "workbench/log_view_sink.h"
#include "workbench/output_name_rule.h"
#include "workbench/password_dialog.h"
#include "workbench/source_template.h"
#include "workbench/workbench_settings.h"

namespace qvn {

namespace {

constexpr int kClientWidth = 464;
constexpr int kClientHeight = 354;
constexpr int kPanelHeight = 25;
const char kCaption[] = "QVN-Maker3";
const char kHelpTopic[] = "HID00000005";
const char kOpenFilter[] = "Source Files (*.SRC *.src);;Text Files (*.TXT *.txt);;All Files (*)";

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}
QString FromPath(const std::string& path) {
  return QFile::decodeName(path.c_str());
}
std::string ToPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

const char* const kUsage[] = {
    "使用方法：",
    "",
    "１．[ファイル]→[開く]でソースファイルを開く。",
    "　　（新規作成の場合は新しいファイル名で「開く」を実行）",
    "２．編集後、[ファイル]→[コンパイル]でファイルをコンパイルする。",
    "　　（外部エディタやＱＶＮデバッガ等を使っている場合はコンパイ",
    "　　　ルの前にそれらを閉じてください）",
    "３．エラーが出なければ、成功。",
    "",
    "※QVN-Maker3はQVNを開発するソフトです。QVNを鑑賞",
    "　するには、QVNブラウザ(QVN3.EXE)をご利用ください。",
};

// The file name part of a path: what follows its last "/".
std::string FileNamePart(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

MainForm::MainForm(const SettingsFolders& folders, const QString& source_argument, QWidget* parent)
    : QMainWindow(parent), folders_(folders) {
  setObjectName("Form1");
  setWindowTitle(kCaption);

  auto* client = new QWidget(this);
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  Panel1 = new QLabel(client);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedHeight(kPanelHeight);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Panel1->setIndent(4);
  Memo1 = new LogView(client);
  Memo1->setObjectName("Memo1");
  layout->addWidget(Panel1);
  layout->addWidget(Memo1);
  setCentralWidget(client);
  CreateMenus();
  connect(Memo1, &LogView::SourceLineActivated, this, &MainForm::OpenSourceAtLine);
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

  LoadSettings();
  ShowUsage();

  if (!source_argument.isEmpty()) {
    auto existing = ResolveExisting(std::filesystem::path(ToPath(source_argument)));
    std::error_code ec;
    if (existing && std::filesystem::is_regular_file(*existing, ec)) {
      source_path_ = std::filesystem::absolute(*existing, ec).lexically_normal().string();
      PrepareSourceFile(std::string());
    }
  }
}

QAction* MainForm::AddItem(QMenu* menu, const char* name, const char* caption,
                           const QKeySequence& key, void (MainForm::*handler)()) {
  QAction* action = menu->addAction(Text(caption));
  action->setObjectName(name);
  if (!key.isEmpty()) action->setShortcut(key);
  if (handler) connect(action, &QAction::triggered, this, handler);
  return action;
}

void MainForm::CreateMenus() {
  File1 = menuBar()->addMenu(Text("ファイル(&F)"));
  File1->setObjectName("File1");
  Open1 = AddItem(File1, "Open1", "開く(&O)", Qt::Key_F3, &MainForm::Open1Click);
  Compile1 = AddItem(File1, "Compile1", "コンパイル(&C)", Qt::Key_F9, &MainForm::Compile1Click);
  Edit1 = AddItem(File1, "Edit1", "エディタで編集(&E)", Qt::Key_F10, &MainForm::Edit1Click);
  Browser1 =
      AddItem(File1, "Browser1", "ブラウザの起動(&B)", Qt::Key_F11, &MainForm::Browser1Click);
  Debugger1 =
      AddItem(File1, "Debugger1", "デバッガの起動(&D)", Qt::Key_F12, &MainForm::Debugger1Click);
  JPEG1 = AddItem(File1, "JPEG1", "&JPEGチェンジャー", Qt::Key_F5, &MainForm::JPEG1Click);
  File1->addSeparator()->setObjectName("N1");
  Exit1 = AddItem(File1, "Exit1", "終了(&X)", QKeySequence(), nullptr);
  connect(Exit1, &QAction::triggered, this, &QWidget::close);
  File1->addSeparator()->setObjectName("N2");
  StoryCheck1 =
      AddItem(File1, "StoryCheck1", "ストーリー検査", QKeySequence(), &MainForm::StoryCheck1Click);
  StoryGraph1 =
      AddItem(File1, "StoryGraph1", "ストーリー図", QKeySequence(), &MainForm::StoryGraph1Click);
  WebExport1 = AddItem(File1, "WebExport1", "Web用に書き出す...", QKeySequence(),
                       &MainForm::WebExport1Click);

  Option1 = menuBar()->addMenu(Text("オプション(&O)"));
  Option1->setObjectName("Option1");
  Font1 = AddItem(Option1, "Font1", "フォント(&F)", QKeySequence(), &MainForm::Font1Click);
  Editor1 = Option1->addMenu(Text("エディタの指定(&E)"));
  Editor1->setObjectName("Editor1");
  Self1 = AddItem(Editor1, "Self1", "QVN-Maker(&S)", QKeySequence(), &MainForm::Self1Click);
  Outer1 = AddItem(Editor1, "Outer1", "外部プログラム(&O)", QKeySequence(), &MainForm::Outer1Click);
  Jump1 = AddItem(Option1, "Jump1", "ジャンプ先チェック(&J)", QKeySequence(), nullptr);
  Block1 = AddItem(Option1, "Block1", "ブロック名表示(&B)", QKeySequence(), nullptr);
  Warn1 = AddItem(Option1, "Warn1", "警告簡略化(&W)", QKeySequence(), nullptr);
  Password1 = AddItem(Option1, "Password1", "パスワード有効(&P)", QKeySequence(),
                      &MainForm::Password1Click);
  CreateSourceEncodingMenu();
  // A checkable action inverts its own check mark when chosen.
  for (QAction* item : {Self1, Outer1, Jump1, Block1, Warn1, Password1}) item->setCheckable(true);
  Self1->setChecked(true);
  Jump1->setChecked(true);
  Warn1->setChecked(true);

  Help1 = menuBar()->addMenu(Text("説明(&H)"));
  Help1->setObjectName("Help1");
  Index1 = AddItem(Help1, "Index1", "目次(&I)", Qt::Key_F1, &MainForm::Index1Click);
  About1 = AddItem(Help1, "About1", "バージョン(&A)", QKeySequence(), &MainForm::About1Click);

  SetSourceItemsEnabled(false);
}

void MainForm::ShowUsage() {
  Memo1->ClearLog();
  for (const char* line : kUsage) Memo1->AppendLine(Text(line));
}

void MainForm::SetSourceItemsEnabled(bool enabled) {
  Compile1->setEnabled(enabled);
  Edit1->setEnabled(enabled);
  Password1->setEnabled(enabled);
  StoryCheck1->setEnabled(enabled);
  StoryGraph1->setEnabled(enabled);
  WebExport1->setEnabled(enabled);
}

void MainForm::ShowFileError(const std::string& file, const std::string& reason) {
  QMessageBox::critical(this, kCaption, FromPath(file) + "\n" + QString::fromStdString(reason));
}

void MainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Only when the program shows the window: a restore from the task bar must
  // not undo a font chosen with the Font command.
  if (!event->spontaneous()) Memo1->ApplyFontToText(window_font_);
}

// ---- Source file ----

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
        chosen + Text("\nこのファイルは存在しません。\nファイルを作成しますか?"));
    if (answer != QMessageBox::Yes) return;
  }
  OpenSource(chosen);
}

void MainForm::OpenSource(const QString& path) {
  if (!CloseBuiltInEditing()) return;
  std::string chosen = ToPath(path);
  // An existing file is taken with its own spelling, so no twin that differs
  // only in letter case is created beside it.
  if (auto existing = ResolveExisting(std::filesystem::path(chosen))) chosen = existing->string();
  std::string previous = source_path_;
  source_path_ = chosen;
  PrepareSourceFile(previous);
}

void MainForm::PrepareSourceFile(const std::string& previous_source_path) {
  const std::string previous_base_path = base_path_;
  Memo1->ClearLog();
  Password1->setChecked(false);
  // A name without "." is its own base path, so outputs never take the name
  // of an earlier file.
  base_path_ = qvn::BasePath(source_path_);
  if (CollidesWithOutputs(source_path_)) {
    Memo1->AppendLine(Text("このファイル名は使用できません : ") + FromPath(source_path_),
                      QColor(255, 0, 0));
    Panel1->clear();
    SetSourceItemsEnabled(false);
    return;
  }
  std::error_code ec;
  if (!std::filesystem::exists(source_path_, ec)) {
    Bytes source_template = NewSourceTemplate();
    EditableSource lines = EditableSource::FromBytes(source_template);
    for (const QString& line : QString::fromStdString(lines.text()).split('\n'))
      Memo1->AppendLine(line);
    FileResult written = WriteFileAtomic(source_path_, source_template);
    if (!written.ok) {
      ShowFileError(source_path_, written.reason);
      // The status panel and the items still speak of the previous file, so
      // the paths a compile would use go back to it as well.
      source_path_ = previous_source_path;
      base_path_ = previous_base_path;
      return;
    }
    Memo1->ClearLog();
  }
  Panel1->setText(Text("対象ファイル : ") + FromPath(source_path_));
  SetSourceItemsEnabled(true);
  Edit1Click();
}

// ---- Editing ----

std::vector<std::string> MainForm::EditorCommandWords() const {
  return EditorCommand(editor_path_, source_path_);
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

bool MainForm::CloseBuiltInEditing() {
  if (!built_in_editing_) return true;
  if (Memo1->document()->isModified()) {
    Bytes edited = editable_.ToBytes(Memo1->toPlainText().toStdString());
    // Temporary file and rename: a failed save leaves the old source intact,
    // and the text stays in the window.
    FileResult saved = WriteFileAtomic(source_path_, edited);
    if (!saved.ok) {
      ShowFileError(source_path_, saved.reason);
      return false;
    }
  }
  Memo1->setReadOnly(true);
  Memo1->ClearLog();
  built_in_editing_ = false;
  return true;
}

void MainForm::Self1Click() {
  Self1->setChecked(true);
  Outer1->setChecked(false);
}

void MainForm::Outer1Click() {
  // The item must not change its check mark before editing has been closed.
  Outer1->setChecked(!Self1->isChecked());
  if (!CloseBuiltInEditing()) return;
  QFileDialog dialog(this, Text("QVN-Maker2 File Dialog"));
  dialog.setNameFilters(Text(kOpenFilter).split(";;"));
  dialog.selectNameFilter(dialog.nameFilters().value(2));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly);
  dialog.selectFile(FromPath(editor_path_));
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    editor_path_ = ToPath(dialog.selectedFiles().first());
  Outer1->setChecked(true);
  Self1->setChecked(false);
}

// ---- Compile ----

CompileOptions MainForm::CurrentCompileOptions() const {
  CompileOptions options;
  options.jump_check = Jump1->isChecked();
  options.block_names = Block1->isChecked();
  options.simple_warnings = Warn1->isChecked();
  options.password_enabled = Password1->isChecked();
  options.password = password_;
  options.key = key_number_;
  options.source_encoding = CurrentSourceEncoding();
  return options;
}

void MainForm::LockMenus(bool locked) {
  // The compile lets the window repaint; no command may change its inputs or
  // start a second compile meanwhile.
  if (locked) {
    locked_actions_.clear();
    for (QAction* action : findChildren<QAction*>()) {
      if (action->isEnabled()) {
        locked_actions_.push_back(action);
        action->setEnabled(false);
      }
    }
  } else {
    for (QAction* action : locked_actions_) action->setEnabled(true);
    locked_actions_.clear();
  }
  menuBar()->setEnabled(!locked);
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

// ---- Password and version ----

void MainForm::Password1Click() {
  if (!Password1->isChecked()) return;
  PasswordDialog dialog(PasswordDialog::Mode::kPassword, this);
  dialog.Edit1->setText(FromPath(FileNamePart(base_path_)));
  dialog.exec();
  password_ = dialog.Password();
  key_number_ = dialog.KeyNumber();
}

void MainForm::About1Click() {
  PasswordDialog dialog(PasswordDialog::Mode::kAbout, this);
  dialog.exec();
}

// ---- Outside programs, converter, font, help ----

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

void MainForm::Font1Click() {
  // Any face may be chosen; the dialog opens on the status panel's font.
  QFont current = Panel1->font();
  std::optional<FontChoice> chosen = FontDialog::GetFont(
      current, current.pointSize() > 0 ? current.pointSize() : 10, {false, 1, 72}, this);
  if (!chosen) return;
  QFont font(chosen->family);
  font.setPointSize(chosen->points);
  font.setBold(chosen->bold);
  font.setItalic(chosen->italic);
  font.setUnderline(chosen->underline);
  font.setStrikeOut(chosen->strike_out);
  Memo1->ApplyFontToText(font);
  Panel1->setFont(font);
}

void MainForm::Index1Click() {
  HelpWindow::ShowHelp(this, kWorkbenchManual, ManualPath(kWorkbenchManual), kHelpTopic);
}

// ---- Settings and exit ----

void MainForm::LoadSettings() {
  std::string path = SettingsPathForReading(folders_, kWorkbenchSettingsFile);
  WorkbenchSettings settings =
      ReadWorkbenchSettings(path.empty() ? Profile{} : ReadProfileFile(path));
  window_font_ = QFont(QString::fromStdString(settings.font_name));
  window_font_.setPointSize(settings.font_size);
  Panel1->setFont(window_font_);
  Memo1->setFont(window_font_);
  Self1->setChecked(settings.self_edit);
  Outer1->setChecked(!settings.self_edit);
  editor_path_ = settings.editor;
  Block1->setChecked(settings.block_names);
  Warn1->setChecked(settings.simple_warnings);
  Jump1->setChecked(settings.jump_check);
  SetSourceEncoding(settings.source_encoding);
}

bool MainForm::SaveSettings() {
  WorkbenchSettings settings;
  settings.font_name = Panel1->font().family().toStdString();
  settings.font_size = Panel1->font().pointSize() > 0 ? Panel1->font().pointSize() : 10;
  settings.self_edit = Self1->isChecked();
  settings.editor = editor_path_;
  settings.block_names = Block1->isChecked();
  settings.simple_warnings = Warn1->isChecked();
  settings.jump_check = Jump1->isChecked();
  settings.source_encoding = CurrentSourceEncoding();
  std::string target = SettingsPathForWriting(folders_, kWorkbenchSettingsFile);
  FileResult saved = SaveWorkbenchSettings(
      settings, SettingsPathForReading(folders_, kWorkbenchSettingsFile), target);
  if (!saved.ok)
    QMessageBox::critical(this, kCaption, FromPath(target) + Text(" に書き込めません"));
  return saved.ok;
}

void MainForm::closeEvent(QCloseEvent* event) {
  if (compiling_) {
    event->ignore();
    return;
  }
  if (!CloseBuiltInEditing()) {
    // The text could not be saved: leaving now would lose it, so ask.
    auto answer = QMessageBox::question(
        this, kCaption, Text("編集中のテキストを保存できませんでした。保存せずに終了しますか?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
      event->ignore();
      return;
    }
    built_in_editing_ = false;
  }
  SaveSettings();
  event->accept();
}

}  // namespace qvn
