#include "workbench/workbench_settings.h"

#include <optional>

#include "common/encoding.h"

namespace qvn {

namespace {

void ReadBool(const Profile& profile, BytesView key, bool& value) {
  if (auto number = profile.GetInteger("Option", key)) value = *number != 0;
}

// Text of one line that names a font or a program.
bool UsableText(BytesView text) {
  if (text.empty() || text.size() > 1023) return false;
  for (char ch : text)
    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f) return false;
  return true;
}

}  // namespace

WorkbenchSettings ReadWorkbenchSettings(const Profile& profile) {
  WorkbenchSettings settings;
  if (auto name = profile.GetString("Font", "Name");
      name && UsableText(*name) && name->size() <= 255)
    settings.font_name = Cp932ToUtf8(*name);
  // A size the font machinery cannot use keeps the default.
  if (auto size = profile.GetInteger("Font", "Size");
      size && *size >= kMinWorkbenchFontSize && *size <= kMaxWorkbenchFontSize)
    settings.font_size = *size;
  ReadBool(profile, "SelfEdit", settings.self_edit);
  if (auto editor = profile.GetString("Option", "Editor"); editor && UsableText(*editor))
    settings.editor = Cp932ToUtf8(*editor);
  ReadBool(profile, "Block", settings.block_names);
  ReadBool(profile, "Warn", settings.simple_warnings);
  ReadBool(profile, "JumpCheck", settings.jump_check);
  if (auto encoding = profile.GetString("Option", "SourceEncoding"))
    settings.source_encoding = ParseSourceEncoding(*encoding).value_or(SourceEncoding::kAuto);
  if (auto language = profile.GetString("Option", "Language"))
    settings.language = ParseLanguageSetting(*language);
  return settings;
}

void StoreWorkbenchSettings(const WorkbenchSettings& settings, Profile& profile) {
  auto flag = [](bool value) { return value ? "1" : "0"; };
  profile.SetString("Font", "Name", Utf8ToCp932(settings.font_name));
  profile.SetString("Font", "Size", std::to_string(settings.font_size));
  profile.SetString("Option", "SelfEdit", flag(settings.self_edit));
  profile.SetString("Option", "Editor", Utf8ToCp932(settings.editor));
  profile.SetString("Option", "Block", flag(settings.block_names));
  profile.SetString("Option", "Warn", flag(settings.simple_warnings));
  profile.SetString("Option", "JumpCheck", flag(settings.jump_check));
  if (settings.source_encoding != SourceEncoding::kAuto ||
      profile.GetString("Option", "SourceEncoding"))
    profile.SetString("Option", "SourceEncoding", SourceEncodingName(settings.source_encoding));
  // "As the system" takes out a key that named a language and leaves any
  // other value (a language this version does not know).
  if (settings.language) {
    profile.SetString("Option", "Language", LanguageCode(*settings.language));
  } else if (auto old = profile.GetString("Option", "Language");
             old && ParseLanguageSetting(*old)) {
    profile.RemoveKey("Option", "Language");
  }
}

FileResult SaveWorkbenchSettings(const WorkbenchSettings& settings, const std::string& read_path,
                                 const std::string& path_for_writing, std::FILE* warnings) {
  std::string reason;
  std::optional<Profile> profile = ReadProfileForUpdate(read_path, reason);
  if (!profile) {
    std::fprintf(warnings, "QvnMakeW: settings not saved: %s cannot be read (%s)\n",
                 read_path.c_str(), reason.c_str());
    return FileResult{true, {}};
  }
  StoreWorkbenchSettings(settings, *profile);
  return WriteProfileFile(path_for_writing, *profile);
}

}  // namespace qvn
