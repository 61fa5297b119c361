#include "browser/browser_settings.h"

#include <string>

#include "common/encoding.h"
#include "platform/settings_location.h"

namespace qvn {

namespace {

constexpr const char* kFileName = "qvn.ini";

void ReadInteger(const Profile& profile, BytesView section, BytesView key, int& value) {
  if (auto read = profile.GetInteger(section, key)) value = *read;
}

void ReadBoolean(const Profile& profile, BytesView section, BytesView key, bool& value) {
  if (auto read = profile.GetInteger(section, key)) value = *read != 0;
}

}  // namespace

BrowserSettings::BrowserSettings() : font_name(Sjis(u8"ＭＳ 明朝")) {}

BrowserSettings ReadBrowserSettings(const Profile& profile) {
  BrowserSettings settings;
  ReadInteger(profile, "WINDOW", "TOP", settings.top);
  ReadInteger(profile, "WINDOW", "LEFT", settings.left);
  ReadInteger(profile, "WINDOW", "HEIGHT", settings.height);
  ReadInteger(profile, "WINDOW", "WIDTH", settings.width);
  if (auto name = profile.GetString("FONT", "NAME"); name && !name->empty())
    settings.font_name = *name;
  ReadInteger(profile, "FONT", "SIZE", settings.font_size);
  ReadInteger(profile, "FONT", "STYLE", settings.font_style);
  ReadBoolean(profile, "OPTION", "MID", settings.mid);
  ReadBoolean(profile, "OPTION", "WAV", settings.wav);
  ReadBoolean(profile, "OPTION", "OTHER", settings.other);
  ReadBoolean(profile, "OPTION", "OLDEXE", settings.old_exe);
  ReadBoolean(profile, "OPTION", "LOWRES", settings.low_res);
  ReadBoolean(profile, "OPTION", "CONTRAST", settings.contrast);
  ReadInteger(profile, "OPTION", "GAP", settings.gap_tenths);
  if (settings.gap_tenths < 1) settings.gap_tenths = 12;
  if (settings.font_size < 1) settings.font_size = 16;
  return settings;
}

void WriteBrowserSettings(const BrowserSettings& settings, Profile& profile) {
  auto integer = [&profile](BytesView section, BytesView key, int value) {
    profile.SetString(section, key, std::to_string(value));
  };
  integer("WINDOW", "TOP", settings.top);
  integer("WINDOW", "LEFT", settings.left);
  integer("WINDOW", "HEIGHT", settings.height);
  integer("WINDOW", "WIDTH", settings.width);
  profile.SetString("FONT", "NAME", settings.font_name);
  integer("FONT", "SIZE", settings.font_size);
  integer("FONT", "STYLE", (settings.Bold() ? 1 : 0) + (settings.Italic() ? 2 : 0));
  integer("OPTION", "MID", settings.mid);
  integer("OPTION", "WAV", settings.wav);
  integer("OPTION", "OTHER", settings.other);
  integer("OPTION", "OLDEXE", settings.old_exe);
  integer("OPTION", "LOWRES", settings.low_res);
  integer("OPTION", "CONTRAST", settings.contrast);
  integer("OPTION", "GAP", settings.gap_tenths);
}

BrowserSettings LoadBrowserSettings(const std::string& program_folder) {
  std::string path = SettingsPathForReading(SettingsFoldersFor(program_folder), kFileName);
  if (path.empty()) return BrowserSettings();
  return ReadBrowserSettings(ReadProfileFile(path));
}

void SaveBrowserSettings(const BrowserSettings& settings, const std::string& program_folder) {
  std::string path = SettingsPathForWriting(SettingsFoldersFor(program_folder), kFileName);
  if (path.empty()) return;
  Profile profile = ReadProfileFile(path);
  WriteBrowserSettings(settings, profile);
  WriteProfileFile(path, profile);
}

}  // namespace qvn
