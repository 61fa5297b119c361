#pragma once
// The workbench window: the current source, the compile log (which is also
// the built-in editor), the status panel and the commands of the menus.
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "compiler/compile.h"
#include "platform/settings_location.h"
#include "workbench/editable_source.h"
#include "workbench/log_view.h"

namespace qvn {

struct LoadedStory;

class LanguageMenu;

class MainForm : public QMainWindow {
  Q_OBJECT

 public:
  // `folders` says where the companions and the settings file are looked for;
  // `source_argument` is the first command-line argument (may be empty).
  MainForm(const SettingsFolders& folders, const QString& source_argument,
           QWidget* parent = nullptr);

  // What the Open command does once its dialog has given a name (and the
  // create question, if any, was answered yes).
  void OpenSource(const QString& path);

  // Saves an edited source and returns the log to its log role; false (after
  // the error box) when the save failed, with editing still on.
  bool CloseBuiltInEditing();

  // The compile inputs as the menus and the password dialog hold them now.
  CompileOptions CurrentCompileOptions() const;
  const std::string& SourcePath() const { return source_path_; }
  const std::string& BasePath() const { return base_path_; }
  const std::string& EditorPath() const { return editor_path_; }
  bool BuiltInEditing() const { return built_in_editing_; }
  bool Compiling() const { return compiling_; }
  // The words the outside editor would be started with.
  std::vector<std::string> EditorCommandWords() const;

  QLabel* Panel1;
  LogView* Memo1;
  QMenu* File1;
  QAction* Open1;
  QAction* Compile1;
  QAction* Edit1;
  QAction* Browser1;
  QAction* Debugger1;
  QAction* JPEG1;
  QAction* Exit1;
  QAction* StoryCheck1;
  QAction* StoryGraph1;
  QAction* WebExport1;
  QMenu* Option1;
  QAction* Font1;
  QMenu* Editor1;
  QAction* Self1;
  QAction* Outer1;
  QAction* Jump1;
  QAction* Block1;
  QAction* Warn1;
  QAction* Password1;
  QMenu* Code1;
  QAction* CodeAuto1;
  QAction* CodeSjis1;
  QAction* CodeUtf81;
  LanguageMenu* Language1;
  QMenu* Help1;
  QAction* Index1;
  QAction* About1;

  void Open1Click();
  void Compile1Click();
  void Edit1Click();
  void Browser1Click();
  void Debugger1Click();
  void JPEG1Click();
  void Font1Click();
  void Self1Click();
  void Outer1Click();
  void Password1Click();
  void Index1Click();
  void About1Click();
  // What a reader can reach in the compiled story, into the compile log;
  // the story's block graph in a window of its own.
  void StoryCheck1Click();
  void StoryGraph1Click();
  void WebExport1Click();

  // How sources are read: the compile's choice and the built-in editor's.
  SourceEncoding CurrentSourceEncoding() const;
  void SetSourceEncoding(SourceEncoding encoding);
  // Opens the source at `line` (from 1): the built-in editor with the line
  // selected, or the outside editor told the line where it understands it.
  // A log line that carries a source line leads here.
  void OpenSourceAtLine(int line);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateMenus();
  void CreateFileMenu();    // main_form_file_menu.cpp
  void CreateOptionMenu();  // main_form_option_menu.cpp
  void CreateHelpMenu();    // main_form_help_menu.cpp
  // Reads the compiled story of the source; false (said in the log) when it
  // cannot be read.
  bool LoadCompiledStory(LoadedStory& story);
  void CreateSourceEncodingMenu();
  void ShowUsage();
  // Runs once a source path has been chosen; the previous path comes back
  // when the template for a new file cannot be written.
  void PrepareSourceFile(const std::string& previous_source_path);
  void SetSourceItemsEnabled(bool enabled);
  void LockMenus(bool locked);
  void LoadSettings();
  bool SaveSettings();
  void ShowFileError(const std::string& file, const std::string& reason);
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                   void (MainForm::*handler)());

  SettingsFolders folders_;
  std::string source_path_;
  std::string base_path_;
  std::string editor_path_;
  QFont window_font_;
  bool built_in_editing_ = false;
  bool compiling_ = false;
  EditableSource editable_;
  Bytes password_;
  std::int16_t key_number_ = 1000;
  std::vector<QAction*> locked_actions_;
};

}  // namespace qvn
