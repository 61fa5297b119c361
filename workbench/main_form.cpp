#include "workbench/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>
#include <filesystem>

#include "common/encoding.h"
#include "gui/close_on_signals.h"
#include "gui/language_menu.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "workbench/editor_command.h"
#include "workbench/main_form_text.h"
#include "workbench/output_name_rule.h"
#include "workbench/source_template.h"
#include "workbench/workbench_settings.h"

namespace qvn {

using form::FromPath;
using form::kCaption;
using form::ToPath;

namespace {

constexpr int kClientWidth = 464;
constexpr int kClientHeight = 354;
constexpr int kPanelHeight = 25;

// Empty lines stay empty in every language.
const char* const kUsage[] = {
    QT_TRANSLATE_NOOP("qvn::MainForm", "使用方法："),
    "",
    QT_TRANSLATE_NOOP("qvn::MainForm", "１．[ファイル]→[開く]でソースファイルを開く。"),
    QT_TRANSLATE_NOOP("qvn::MainForm", "　　（新規作成の場合は新しいファイル名で「開く」を実行）"),
    QT_TRANSLATE_NOOP("qvn::MainForm",
                      "２．編集後、[ファイル]→[コンパイル]でファイルをコンパイルする。"),
    QT_TRANSLATE_NOOP("qvn::MainForm",
                      "　　（外部エディタやＱＶＮデバッガ等を使っている場合はコンパイ"),
    QT_TRANSLATE_NOOP("qvn::MainForm", "　　　ルの前にそれらを閉じてください）"),
    QT_TRANSLATE_NOOP("qvn::MainForm", "３．エラーが出なければ、成功。"),
    "",
    QT_TRANSLATE_NOOP("qvn::MainForm", "※QVN-Maker3はQVNを開発するソフトです。QVNを鑑賞"),
    QT_TRANSLATE_NOOP("qvn::MainForm", "　するには、QVNブラウザ(QVN3.EXE)をご利用ください。"),
};

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
  new CloseOnSignals(this);

  if (!source_argument.isEmpty()) {
    auto existing = ResolveExisting(std::filesystem::path(ToPath(source_argument)));
    std::error_code ec;
    if (existing && std::filesystem::is_regular_file(*existing, ec)) {
      source_path_ = std::filesystem::absolute(*existing, ec).lexically_normal().string();
      PrepareSourceFile(std::string());
    }
  }
}

QAction* MainForm::AddItem(QMenu* menu, const char* name, const QString& caption,
                           const QKeySequence& key, void (MainForm::*handler)()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (!key.isEmpty()) action->setShortcut(key);
  if (handler) connect(action, &QAction::triggered, this, handler);
  return action;
}

void MainForm::CreateMenus() {
  CreateFileMenu();
  CreateOptionMenu();
  CreateHelpMenu();
  SetSourceItemsEnabled(false);
}

void MainForm::ShowUsage() {
  Memo1->ClearLog();
  for (const char* line : kUsage) Memo1->AppendLine(*line ? tr(line) : QString());
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
    Memo1->AppendLine(tr("このファイル名は使用できません : %1").arg(FromPath(source_path_)),
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
  Panel1->setText(tr("対象ファイル : %1").arg(FromPath(source_path_)));
  SetSourceItemsEnabled(true);
  Edit1Click();
}

// ---- Editing ----

std::vector<std::string> MainForm::EditorCommandWords() const {
  return EditorCommand(editor_path_, source_path_);
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
  Language1->SetSetting(settings.language);
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
  settings.language = Language1->Setting();
  std::string target = SettingsPathForWriting(folders_, kWorkbenchSettingsFile);
  FileResult saved = SaveWorkbenchSettings(
      settings, SettingsPathForReading(folders_, kWorkbenchSettingsFile), target);
  if (!saved.ok)
    QMessageBox::critical(this, kCaption, tr("%1 に書き込めません").arg(FromPath(target)));
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
        this, kCaption, tr("編集中のテキストを保存できませんでした。保存せずに終了しますか?"),
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
