#pragma once
// qvn.ini: window placement, text font, options and line gap of the browser.
#include <string>

#include "common/bytes.h"
#include "platform/profile.h"

namespace qvn {

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
  int gap_tenths = 12;

  BrowserSettings();
  bool Bold() const { return font_style == 1 || font_style == 3; }
  bool Italic() const { return font_style == 2 || font_style == 3; }
};

// Keys that are missing or not whole numbers keep their defaults. A gap below
// one tenth would leave no room for a row, so it is taken as the default.
BrowserSettings ReadBrowserSettings(const Profile& profile);
// Writes every key into `profile`, keeping the lines it does not own.
void WriteBrowserSettings(const BrowserSettings& settings, Profile& profile);

// The file in the folders of the settings-location rule.
BrowserSettings LoadBrowserSettings(const std::string& program_folder);
// Errors are ignored: the program ends normally without its settings.
void SaveBrowserSettings(const BrowserSettings& settings, const std::string& program_folder);

}  // namespace qvn
