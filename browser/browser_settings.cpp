#include "browser/browser_settings.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "common/encoding.h"
#include "platform/file_names.h"
#include "platform/settings_location.h"
#include "runtime/program_permissions.h"

namespace qvn {

namespace {

constexpr const char* kFileName = "qvn.ini";
constexpr BytesView kProgramsSection = "PROGRAMS";

// "STORY" and the number n >= 1, no leading zero: the n-th allowed story.
std::optional<std::size_t> StoryKeyNumber(BytesView key) {
  if (key.size() < 6 || !EqualsIgnoringAsciiCase(key.substr(0, 5), "STORY")) return std::nullopt;
  BytesView digits = key.substr(5);
  if (digits[0] == '0' || digits.size() > 4) return std::nullopt;
  std::size_t number = 0;
  for (char ch : digits) {
    if (ch < '0' || ch > '9') return std::nullopt;
    number = number * 10 + static_cast<std::size_t>(ch - '0');
  }
  return number;
}

Bytes StoryKey(std::size_t number) {
  return "STORY" + std::to_string(number);
}

// STORY1, STORY2, ... up to the first missing number; values that could not
// have been written are left out, and so are doubles.
std::vector<std::string> ReadAllowedStories(const Profile& profile) {
  ProgramPermissions programs;
  for (std::size_t n = 1; n <= kMaxAllowedStories; ++n) {
    std::optional<Bytes> story = profile.GetString(kProgramsSection, StoryKey(n));
    if (!story) break;
    programs.Allow(*story);
  }
  return programs.allowed_stories;
}

void ReadInteger(const Profile& profile, BytesView section, BytesView key, int& value,
                 int minimum = INT32_MIN, int maximum = INT32_MAX) {
  auto read = profile.GetInteger(section, key);
  if (read && *read >= minimum && *read <= maximum) value = *read;
}

void ReadBoolean(const Profile& profile, BytesView section, BytesView key, bool& value) {
  if (auto read = profile.GetInteger(section, key)) value = *read != 0;
}

// A face name is text of one line that the font machinery can look up.
bool UsableFontName(BytesView name) {
  if (name.empty() || name.size() > kMaxFontNameBytes) return false;
  for (char ch : name)
    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f) return false;
  return true;
}

// A chosen language is written; "as the system" takes out a key that named
// one and leaves any other value (a language this version does not know).
void WriteLanguageSetting(std::optional<Language> language, Profile& profile) {
  if (language) {
    profile.SetString("OPTION", "LANGUAGE", LanguageCode(*language));
    return;
  }
  if (auto old = profile.GetString("OPTION", "LANGUAGE"); old && ParseLanguageSetting(*old))
    profile.RemoveKey("OPTION", "LANGUAGE");
}

}  // namespace

BrowserSettings::BrowserSettings() : font_name(Sjis(u8"ＭＳ 明朝")) {}

BrowserSettings ReadBrowserSettings(const Profile& profile) {
  BrowserSettings settings;
  ReadInteger(profile, "WINDOW", "TOP", settings.top, kMinWindowPosition, kMaxWindowPosition);
  ReadInteger(profile, "WINDOW", "LEFT", settings.left, kMinWindowPosition, kMaxWindowPosition);
  ReadInteger(profile, "WINDOW", "HEIGHT", settings.height, kMinWindowHeight, kMaxWindowSide);
  ReadInteger(profile, "WINDOW", "WIDTH", settings.width, kMinWindowWidth, kMaxWindowSide);
  if (auto name = profile.GetString("FONT", "NAME"); name && UsableFontName(*name))
    settings.font_name = *name;
  ReadInteger(profile, "FONT", "SIZE", settings.font_size, kMinFontSize, kMaxFontSize);
  ReadInteger(profile, "FONT", "STYLE", settings.font_style);
  ReadBoolean(profile, "OPTION", "MID", settings.mid);
  ReadBoolean(profile, "OPTION", "WAV", settings.wav);
  ReadBoolean(profile, "OPTION", "OTHER", settings.other);
  ReadBoolean(profile, "OPTION", "OLDEXE", settings.old_exe);
  ReadBoolean(profile, "OPTION", "LOWRES", settings.low_res);
  ReadBoolean(profile, "OPTION", "CONTRAST", settings.contrast);
  ReadBoolean(profile, "OPTION", "SMOOTH", settings.smooth);
  ReadInteger(profile, "OPTION", "GAP", settings.gap_tenths, kMinGapTenths, kMaxGapTenths);
  ReadBoolean(profile, "OPTION", "SPEECH", settings.speech);
  ReadInteger(profile, "OPTION", "SPEECHRATE", settings.speech_rate, kMinSpeechRate,
              kMaxSpeechRate);
  ReadBoolean(profile, kProgramsSection, "OFF", settings.programs_off);
  settings.allowed_stories = ReadAllowedStories(profile);
  if (auto language = profile.GetString("OPTION", "LANGUAGE"))
    settings.language = ParseLanguageSetting(*language);
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
  integer("OPTION", "SMOOTH", settings.smooth);
  integer("OPTION", "GAP", settings.gap_tenths);
  integer("OPTION", "SPEECH", settings.speech);
  integer("OPTION", "SPEECHRATE", settings.speech_rate);
  integer(kProgramsSection, "OFF", settings.programs_off);
  // Every numbered key goes first, so that a withdrawn story (or one after a
  // gap left by hand) cannot come back when the list grows again.
  for (const Bytes& key : profile.Keys(kProgramsSection))
    if (StoryKeyNumber(key)) profile.RemoveKey(kProgramsSection, key);
  std::size_t number = 0;
  for (const std::string& story : settings.allowed_stories)
    if (StorablePath(story) && number < kMaxAllowedStories)
      profile.SetString(kProgramsSection, StoryKey(++number), story);
  WriteLanguageSetting(settings.language, profile);
}

BrowserWindowState WindowStateFor(const BrowserSettings& settings, const ScreenArea& screen) {
  const BrowserSettings defaults;
  auto within = [](int value, int minimum, int maximum, int fallback) {
    return value >= minimum && value <= maximum ? value : fallback;
  };
  BrowserWindowState state;
  Point position{within(settings.left, kMinWindowPosition, kMaxWindowPosition, defaults.left),
                 within(settings.top, kMinWindowPosition, kMaxWindowPosition, defaults.top)};
  Size size{within(settings.width, kMinWindowWidth, kMaxWindowSide, defaults.width),
            within(settings.height, kMinWindowHeight, kMaxWindowSide, defaults.height)};
  state.placement = PlaceWindow(position, size, screen, {kMinWindowWidth, kMinWindowHeight});
  state.font_size = within(settings.font_size, kMinFontSize, kMaxFontSize, defaults.font_size);
  state.bold = settings.Bold();
  state.italic = settings.Italic();
  state.gap_tenths = within(settings.gap_tenths, kMinGapTenths, kMaxGapTenths, defaults.gap_tenths);
  return state;
}

BrowserSettings LoadBrowserSettings(const std::string& program_folder) {
  std::string path = SettingsPathForReading(SettingsFoldersFor(program_folder), kFileName);
  if (path.empty()) return BrowserSettings();
  return ReadBrowserSettings(ReadProfileFile(path));
}

void SaveBrowserSettings(const BrowserSettings& settings, const std::string& program_folder,
                         std::FILE* warnings) {
  SettingsFolders folders = SettingsFoldersFor(program_folder);
  std::string read_path = SettingsPathForReading(folders, kFileName);
  std::string reason;
  std::optional<Profile> profile = ReadProfileForUpdate(read_path, reason);
  if (!profile) {
    std::fprintf(warnings, "QVN3: settings not saved: %s cannot be read (%s)\n", read_path.c_str(),
                 reason.c_str());
    return;
  }
  std::string path = SettingsPathForWriting(folders, kFileName);
  if (path.empty()) return;
  WriteBrowserSettings(settings, *profile);
  WriteProfileFile(path, *profile);
}

}  // namespace qvn
