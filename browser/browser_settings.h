#pragma once
// qvn.ini: window placement, text font, options and line gap of the browser.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "layout/window_placement.h"
#include "platform/language.h"
#include "platform/profile.h"

namespace qvn {

// The values a setting may take; anything outside gives the default. Sizes
// start at the window's minimum and end where a window system still draws;
// positions may be negative (screens left of or above the first one).
inline constexpr int kMinWindowPosition = -32768;
inline constexpr int kMaxWindowPosition = 32767;
inline constexpr int kMinWindowWidth = kMinimumWindowSize.width;
inline constexpr int kMinWindowHeight = kMinimumWindowSize.height;
inline constexpr int kMaxWindowSide = 32767;
inline constexpr int kMinFontSize = 8;  // the font dialog's own limits
inline constexpr int kMaxFontSize = 48;
inline constexpr int kMinGapTenths = 1;  // below that rows have no height
inline constexpr int kMaxGapTenths = 100;
inline constexpr std::size_t kMaxFontNameBytes = 255;
inline constexpr int kMinSpeechRate = -2;  // the reading-aloud speed steps
inline constexpr int kMaxSpeechRate = 2;

struct BrowserSettings {
  int top = 0;
  int left = 0;
  int height = 480;
  int width = 620;
  Bytes font_name;  // CP932; "ＭＳ 明朝" by default
  int font_size = 16;
  int font_style = 3;  // 1 bold, 2 italic, 3 both, anything else regular
  bool mid = true;
  bool wav = true;
  bool other = true;
  bool old_exe = false;
  bool low_res = false;
  bool contrast = false;
  bool smooth = true;  // [OPTION] SMOOTH: the page's glyphs antialiased
  int gap_tenths = 12;
  bool speech = false;  // [OPTION] SPEECH: each new page read aloud
  int speech_rate = 0;  // [OPTION] SPEECHRATE: -2 slowest, 0 the system's, 2 fastest
  // [PROGRAMS]: OFF=1 starts no program at all; STORY1, STORY2, ... are the
  // story files whose programs the reader always allows.
  bool programs_off = false;
  std::vector<std::string> allowed_stories;
  // [OPTION] LANGUAGE: "ja" or "en", read at start (nullopt: the locale's).
  std::optional<Language> language;

  BrowserSettings();
  bool Bold() const { return font_style == 1 || font_style == 3; }
  bool Italic() const { return font_style == 2 || font_style == 3; }
};

// Keys that are missing, not whole numbers or out of range keep their
// defaults.
BrowserSettings ReadBrowserSettings(const Profile& profile);
// Writes every key into `profile`, keeping the lines it does not own.
void WriteBrowserSettings(const BrowserSettings& settings, Profile& profile);

// What the settings make of the window on a screen.
struct BrowserWindowState {
  WindowPlacement placement;
  int font_size = 16;
  bool bold = true;
  bool italic = true;
  int gap_tenths = 12;
};

// Out-of-range values (from anywhere) give their defaults; the window is kept
// on `screen` and no smaller than its minimum.
BrowserWindowState WindowStateFor(const BrowserSettings& settings, const ScreenArea& screen);

// The file in the folders of the settings-location rule.
BrowserSettings LoadBrowserSettings(const std::string& program_folder);
// Errors are ignored: the program ends normally without its settings. A file
// that exists but cannot be read is left as it is (one warning on `warnings`);
// when the settings go to the configuration folder, the keys of the file they
// were read from come along.
void SaveBrowserSettings(const BrowserSettings& settings, const std::string& program_folder,
                         std::FILE* warnings = stderr);

}  // namespace qvn
