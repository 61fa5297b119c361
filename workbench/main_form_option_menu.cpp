// The options menu: the font, the editor, the compile switches, the
// password and the language.
#include <QFileDialog>
#include <QMenuBar>

#include "gui/font_dialog.h"
#include "gui/language_menu.h"
#include "workbench/main_form.h"
#include "workbench/main_form_text.h"
#include "workbench/password_dialog.h"

namespace qvn {

using form::FromPath;
using form::kOpenFilter;
using form::Text;
using form::ToPath;

namespace {

// The file name part of a path: what follows its last "/".
std::string FileNamePart(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void MainForm::CreateOptionMenu() {
  Option1 = menuBar()->addMenu(tr("オプション(&O)"));
  Option1->setObjectName("Option1");
  Font1 = AddItem(Option1, "Font1", tr("フォント(&F)"), QKeySequence(), &MainForm::Font1Click);
  Editor1 = Option1->addMenu(tr("エディタの指定(&E)"));
  Editor1->setObjectName("Editor1");
  Self1 = AddItem(Editor1, "Self1", tr("QVN-Maker(&S)"), QKeySequence(), &MainForm::Self1Click);
  Outer1 =
      AddItem(Editor1, "Outer1", tr("外部プログラム(&O)"), QKeySequence(), &MainForm::Outer1Click);
  Jump1 = AddItem(Option1, "Jump1", tr("ジャンプ先チェック(&J)"), QKeySequence(), nullptr);
  Block1 = AddItem(Option1, "Block1", tr("ブロック名表示(&B)"), QKeySequence(), nullptr);
  Warn1 = AddItem(Option1, "Warn1", tr("警告簡略化(&W)"), QKeySequence(), nullptr);
  Password1 = AddItem(Option1, "Password1", tr("パスワード有効(&P)"), QKeySequence(),
                      &MainForm::Password1Click);
  CreateSourceEncodingMenu();
  Option1->addSeparator();
  Language1 = new LanguageMenu(Option1, std::nullopt, this);
  // A checkable action inverts its own check mark when chosen.
  for (QAction* item : {Self1, Outer1, Jump1, Block1, Warn1, Password1}) item->setCheckable(true);
  Self1->setChecked(true);
  Jump1->setChecked(true);
  Warn1->setChecked(true);
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

void MainForm::Password1Click() {
  if (!Password1->isChecked()) return;
  PasswordDialog dialog(PasswordDialog::Mode::kPassword, this);
  dialog.Edit1->setText(FromPath(FileNamePart(base_path_)));
  dialog.exec();
  password_ = dialog.Password();
  key_number_ = dialog.KeyNumber();
}

}  // namespace qvn
