#pragma once
// The author's choices kept in QvnMakeW.ini between runs.
#include <cstdio>
#include <optional>
#include <string>

#include "common/encoding_source.h"
#include "platform/file_io.h"
#include "platform/language.h"
#include "platform/profile.h"

namespace qvn {

inline constexpr char kWorkbenchSettingsFile[] = "QvnMakeW.ini";

// Text here is UTF-8 (for widgets and file names); the file holds CP932.
struct WorkbenchSettings {
  std::string font_name = "ＭＳ ゴシック";
  int font_size = 10;
  bool self_edit = true;
  std::string editor = "xdg-open";
  bool block_names = false;
  bool simple_warnings = true;
  bool jump_check = true;
  // Option/SourceEncoding: written only once it is not auto, so a file of
  // the seven classic keys stays as it was.
  SourceEncoding source_encoding = SourceEncoding::kAuto;
  // Option/Language: "ja" or "en", read at start (nullopt: the locale's);
  // written only once chosen.
  std::optional<Language> language;
};

inline constexpr int kMinWorkbenchFontSize = 1;
inline constexpr int kMaxWorkbenchFontSize = 200;

// Missing, unreadable or out-of-range values keep their defaults.
WorkbenchSettings ReadWorkbenchSettings(const Profile& profile);

// All seven keys, in the order they are read; other keys are left alone.
void StoreWorkbenchSettings(const WorkbenchSettings& settings, Profile& profile);

// Reads the file at `path` (empty: no file), merges the settings in and writes
// the whole file back atomically to `path_for_writing`. A file at `read_path`
// that exists but cannot be read is not replaced: nothing is written, one
// warning goes to `warnings`, and the result is ok (nothing failed to write).
FileResult SaveWorkbenchSettings(const WorkbenchSettings& settings, const std::string& read_path,
                                 const std::string& path_for_writing, std::FILE* warnings = stderr);

}  // namespace qvn
