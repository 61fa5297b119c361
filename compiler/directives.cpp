#include <algorithm>
#include <array>
#include <string>
#include <system_error>

#include "common/encoding.h"
#include "common/number_field.h"
#include "common/sjis.h"
#include "compiler/line_handlers.h"
#include "platform/file_names.h"

namespace qvn {

namespace {

constexpr BytesView kStoryFolderMark = "%P%";
constexpr std::array<BytesView, 6> kFileKeys = {"WAV=", "BGM=", "BMP=", "BAK=", "TIL=", "EXE="};
// Bytes before the file name in ">KEY=%P%name".
constexpr std::size_t kFileNameStart = 8;

void CheckColour(CompileContext& context) {
  auto number = ParseNumberField(BytesView(context.current_line).substr(5));
  if (!number) ReportError(context, context.messages.number_expected);
  if (*number < 0 || *number > 16) ReportError(context, context.messages.colour_bad);
}

bool FileExistsBesideSource(const CompileContext& context, const std::string& name) {
  auto found = ResolveExisting(context.source_folder + name);
  std::error_code ec;
  return found && !std::filesystem::is_directory(*found, ec);
}

// The file name the check looks for: in a UTF-8 source the name as the author
// wrote it (the file on disk bears that spelling, which CP932 may hold in
// another), else the story bytes turned into a path. `inserted` tells that
// the story-folder mark was put in front of the operand.
std::string NameToLookFor(const CompileContext& context, bool inserted) {
  BytesView line = context.current_line;
  if (context.utf8) {
    std::string_view written = context.CurrentAsWritten();
    // ">KEY=" is ASCII, the same bytes in both; the name starts after it,
    // or after what CP932's first eight bytes are as written.
    std::string prefix =
        inserted ? std::string(written.substr(0, 5)) : Cp932ToUtf8(line.substr(0, kFileNameStart));
    if (StartsWith(written, prefix)) {
      std::string name(written.substr(prefix.size()));
      for (char& ch : name)
        if (ch == '\\') ch = '/';
      return name;
    }
  }
  return StoryNameToPath(line.substr(kFileNameStart)).string();
}

void CheckFile(CompileContext& context) {
  Bytes& line = context.current_line;
  bool has_mark = line.find(kStoryFolderMark) != Bytes::npos;
  bool inserted = false;
  // A name with a backslash is a Windows path and one that begins with "/" a
  // full path: both are written as they stand and not looked for.
  bool full_path = line.size() > 5 && line[5] == '/';
  if (!has_mark && !HasBackslash(line) && !full_path) {
    // A bare name lives in the story's folder, which the browser fills in.
    line = CutBytes(line.substr(0, 5) + Bytes(kStoryFolderMark) + line.substr(5), kMaxLineBytes);
    has_mark = inserted = true;
  }
  if (has_mark && !FileExistsBesideSource(context, NameToLookFor(context, inserted))) {
    ReportWarning(context, context.messages.file_not_found);
    return;
  }
  if (!context.options.simple_warnings) ReportWarning(context, context.messages.directive_used);
}

}  // namespace

void HandleDirective(CompileContext& context) {
  const CompilerMessages& m = context.messages;
  if (context.stage == kStageCondition) ReportError(context, m.directive_in_condition);
  if (context.stage != kStageOpened && context.stage != kStageText)
    ReportError(context, m.directive_misplaced);
  context.stage = kStageText;
  BytesView key = BytesView(context.current_line).substr(1, 4);
  if (key == "COL=" || key == "FCL=") {
    CheckColour(context);
  } else if (std::find(kFileKeys.begin(), kFileKeys.end(), key) != kFileKeys.end()) {
    CheckFile(context);
  } else {
    ReportWarning(context, m.directive_unsupported);
  }
  context.WriteRecord(context.current_line);
}

}  // namespace qvn
