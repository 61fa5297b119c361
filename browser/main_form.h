#pragma once
// The browser's main window: the page, the choice buttons, the scroll bar and
// the menus, and the host through which the story runtime shows itself.
#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "browser/browser_settings.h"
#include "browser/page_renderer.h"
#include "browser/sound/sound_player.h"
#include "runtime/host.h"
#include "runtime/story_session.h"

class QAction;
class QMenu;
class QPushButton;
class QScrollBar;

namespace qvn {

class LanguageMenu;
class GraphicsWindow;
class PageSpeaker;
class PageWidget;

class MainForm : public QMainWindow, public Host {
  Q_OBJECT
 public:
  // `program_folder` ends with "/": settings, the probe file and help live there.
  explicit MainForm(std::string program_folder);
  ~MainForm() override;

  // The story named on the command line: any file whose name, cut at its
  // first ".", gives an existing ".qvn"; anything else is ignored.
  void SetCommandLineStory(const std::string& argument);

  StorySession& Session() { return session_; }
  PageWidget* Page() const { return page_; }
  QScrollBar* ScrollBar() const { return scroll_bar_; }
  GraphicsWindow* Graphics() const { return graphics_; }
  const QImage& BackgroundPicture() const { return background_picture_; }
  QPushButton* ChoiceButton(int tag) const { return buttons_[static_cast<std::size_t>(tag - 1)]; }
  const FontMetrics& Metrics() const { return metrics_; }
  const QFont& WindowFontNow() const { return window_font_; }
  int BytesPerRowNow() const;
  int GapTenths() const { return gap_tenths_; }
  const BrowserSettings& Settings() const { return settings_; }
  PageSpeaker& Speaker() { return *speaker_; }

  // The window's key handler, fed every key before the focused control.
  void FormKeyPress(const QString& text, int key);
  // The 4:3 proportion of the text area.
  void Balance();
  // Rebuilds the page image when it is stale and shows it from its top.
  void PageReset();

  // Host.
  void HideChoiceButtons() override;
  void ShowChoiceButtons(int count) override;
  void ShowOpenButton() override;
  void ResetPage(const std::vector<Bytes>& lines, const StoryState& state) override;
  void PageLineAdded(BytesView line) override;
  void SetBusy(bool busy) override;
  void HideGraphicsWindow() override;
  void ShowPicture(const std::filesystem::path& picture) override;
  bool LoadBackground(const std::filesystem::path& picture) override;
  bool SoundKindEnabled(const std::filesystem::path& file) override;
  bool PlaySound(SoundDirective directive, const std::filesystem::path& file) override;
  void StopSound() override;
  ProgramAnswer AskToStartProgram(const ProgramRequest& request) override;
  void StartProgram(const ProgramFile& program, const std::vector<std::string>& argv) override;
  std::optional<int> ChooseSlot(SlotDialog& dialog) override;
  std::optional<Bytes> AskVariable(int number, BytesView comment, BytesView preset) override;
  void ShowWriteFailure(BytesView message) override;
  void ShowErrorBox(const std::string& file, const std::string& reason) override;
  void SetCaption(BytesView caption) override;
  void BalanceWindow() override { Balance(); }
  void EnableTempSaveCommands(bool temp_save, bool open_temp_save) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenus();
  void CreateFileMenu();     // main_form_file_menu.cpp
  void CreateOptionMenu();   // main_form_option_menu.cpp
  void CreateHelpMenu();     // main_form_help_menu.cpp
  void CreateProgramMenu();  // main_form_programs.cpp
  void CreateSpeech();       // main_form_speech_menu.cpp
  void ApplySpeechSettings();
  void CollectSpeechSettings();
  void SpeakNewPage();
  void CreateSoundPlayer();
  void SoundClick(bool checked);
  void CreateClientArea();
  void ApplySettings();
  void CollectSettings();
  void MeasureFont();
  void RebuildPageIfStale();
  void LayoutClientArea();
  void ShowScroll(int position);
  bool MoveButtonFocus(QPushButton* from, int key);
  bool ScrollByKey(int key);

  // Commands.
  void Project1Click();
  void Fixed1Click();
  void Temp1Click();
  void OpenTmp1Click();
  void Font1Click();
  void GapOptClick(int tag);
  void GrOptClick();
  void AllowedStories1Click();
  void ButtonClick(int tag);

  std::string program_folder_;
  StorySession session_;
  BrowserSettings settings_;
  QFont window_font_;
  FontMetrics metrics_;
  PageRenderer renderer_;
  int gap_tenths_ = 12;
  bool page_new_ = false;
  bool shown_once_ = false;
  bool closed_ = false;
  int visible_height_ = 0;
  std::vector<Bytes> page_lines_;
  int text_colour_ = 16;
  int background_colour_ = 16;
  char background_mode_ = 0;  // 's' stretch, 't' tile, else the plain colour
  QImage background_picture_;
  QString last_slot_caption_;
  QString last_open_folder_;
  std::unique_ptr<sound::SoundPlayer> sound_player_;
  std::unique_ptr<PageSpeaker> speaker_;

  PageWidget* page_ = nullptr;
  GraphicsWindow* graphics_ = nullptr;
  QScrollBar* scroll_bar_ = nullptr;
  std::array<QPushButton*, 6> buttons_{};

 public:
  // Menu items, by the names of the window layout.
  QMenu* File1 = nullptr;
  QAction* Project1 = nullptr;
  QAction* Fixed1 = nullptr;
  QAction* Temp1 = nullptr;
  QAction* OpenTmp1 = nullptr;
  QAction* Exit1 = nullptr;
  QMenu* Option1 = nullptr;
  QAction* Font1 = nullptr;
  QMenu* Gap1 = nullptr;
  QAction* Wide1 = nullptr;
  QAction* Narrow1 = nullptr;
  QAction* Standard1 = nullptr;
  QAction* Mid1 = nullptr;
  QAction* Wav1 = nullptr;
  QAction* Other1 = nullptr;
  QAction* OldExe1 = nullptr;
  QAction* LowRes1 = nullptr;
  QAction* Contrast1 = nullptr;
  QAction* Smooth1 = nullptr;
  LanguageMenu* Language1 = nullptr;
  QMenu* Programs1 = nullptr;
  QAction* NoPrograms1 = nullptr;
  QAction* AllowedStories1 = nullptr;
  QAction* balance1 = nullptr;
  // Reading aloud; null where the program was built without speech.
  QMenu* Reading1 = nullptr;
  QAction* Speech1 = nullptr;
  QAction* Repeat1 = nullptr;
  QMenu* SpeechRate1 = nullptr;
  QAction* Index1 = nullptr;
  QAction* About1 = nullptr;
};

}  // namespace qvn
