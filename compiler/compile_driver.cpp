#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "common/encoding.h"
#include "common/message_catalogue.h"
#include "compiler/compile.h"
#include "compiler/compile_context.h"
#include "compiler/jump_check.h"
#include "compiler/line_handlers.h"
#include "compiler/output_files.h"
#include "format/password_scramble.h"
#include "format/user_data_file.h"
#include "platform/file_io.h"
#include "platform/file_names.h"

namespace qvn {

namespace {

// A source whose extension begins like an output's would be overwritten by
// its own compile.
bool CollidesWithOutputs(const std::string& source_path) {
  std::string probe = ExtensionProbe(source_path);
  return EqualsIgnoringAsciiCase(probe, "QV") || EqualsIgnoringAsciiCase(probe, "Q0");
}

// The source's lines converted when it is to be read as UTF-8; nullopt for
// Shift-JIS. Automatic choice: a byte-order mark, or non-ASCII text that is
// UTF-8 throughout (found while converting, in the same pass).
std::optional<Utf8Source> ReadAsUtf8(BytesView source, SourceEncoding requested) {
  if (requested == SourceEncoding::kCp932) return std::nullopt;
  bool marked = StartsWith(source, kUtf8Bom);
  if (marked) source.remove_prefix(kUtf8Bom.size());
  bool certain = marked || requested == SourceEncoding::kUtf8;
  if (!certain) {
    bool ascii = std::all_of(source.begin(), source.end(),
                             [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
    if (ascii) return std::nullopt;
  }
  return Utf8Source::Convert(source, certain);
}

Bytes AutomaticTitle(const std::string& base_path) {
  std::size_t slash = base_path.rfind('/');
  std::string name = slash == std::string::npos ? base_path : base_path.substr(slash + 1);
  return CutBytes(Utf8ToCp932(name), kMaxLineBytes);
}

void CompileLines(CompileContext& context, SourceLines& lines) {
  while (!lines.AtEnd()) {
    ReadLine(context, lines);
    HandleLine(context, lines);
  }
}

// Steps 8 to 10: statistics and the state the source ended in.
void FinishSource(CompileContext& context) {
  const CompilerMessages& m = context.messages;
  context.Log(m.line_count + std::to_string(context.line_counter));
  if (context.stage == kStageHeader) ReportError(context, m.no_block);
  context.Log(m.block_count + std::to_string(context.block_counter));
  if (context.stage == kStageChoicesClosed || context.stage == kStageClosed) return;
  if (IsChoiceCompleteStage(context.stage)) {
    context.WriteRecord("?END");
    ReportWarning(context, m.end_missing);
    return;
  }
  ReportError(context, m.block_not_closed);
}

// Steps 11 to 14: the index markers, the trailer and the password record.
void WriteTrailer(CompileContext& context, const std::string& base_path) {
  const CompilerMessages& m = context.messages;
  context.WriteIndex(kVersionMarker, context.version_code);
  context.WriteIndex(kTrailerMarker, context.BodySize());
  for (const StringVariable& variable : context.variables) {
    context.WriteRecord(variable.label);
    context.WriteRecord(variable.value);
  }
  if (context.title.empty()) {
    context.title = AutomaticTitle(base_path);
    context.Log(m.auto_title + context.title);
  }
  context.WriteRecord(context.title);
  if (context.options.password_enabled) {
    context.Log(m.setting_password);
    context.WriteIndex(kPasswordMarker, context.BodySize());
    context.WriteRecord(ScramblePassword(context.options.password, context.options.key));
  } else {
    context.Log(m.no_password);
  }
}

}  // namespace

CompileResult Compile(const std::string& source_path, const CompileOptions& options, LogSink& log) {
  CompileContext context(options, log, FolderOf(source_path));
  const CompilerMessages& m = context.messages;

  // Paths are logged as the file system names them: Shift-JIS may lack some
  // of their characters.
  if (CollidesWithOutputs(source_path)) {
    log.LineAsWritten(Cp932ToUtf8(m.name_refused) + source_path, LogColor::kRed);
    return {CompileOutcome::kRefusedName, {}};
  }

  Bytes source;
  FileResult read = ReadWholeFile(source_path, source);
  if (!read.ok) return {CompileOutcome::kSourceUnreadable, read.reason};

  const std::string base_path = BasePath(source_path);
  // The names the story files are written under: lower case, or the spelling
  // of an existing file that is replaced in place.
  auto written = [&base_path](const char* extension) {
    std::string name = base_path + extension;
    std::optional<std::filesystem::path> existing = ResolveExisting(name);
    return existing ? existing->string() : name;
  };
  log.LineAsWritten(
      FormatMessage(Cp932ToUtf8(m.creating_pattern), {written(".qvn"), written(".qvj")}),
      LogColor::kDefault);

  OutputFiles outputs(base_path);
  if (!outputs.CreateStoryFiles()) {
    context.Log(m.write_failed, LogColor::kRed);
    return {CompileOutcome::kWriteFailure, {}};
  }
  context.body.reserve(source.size() + 4096);
  context.block_table.reserve(kMaxBlocks);
  context.block_lines.reserve(kMaxBlocks);
  context.block_positions.reserve(kMaxBlocks);

  std::optional<Utf8Source> utf8 = ReadAsUtf8(source, options.source_encoding);
  context.utf8 = utf8 ? &*utf8 : nullptr;
  // A UTF-8 source is compiled from its converted lines, which both passes
  // of the jump-target check read again.
  BytesView text = utf8 ? utf8->Lines() : BytesView(source);
  SourceLines lines(text);

  try {
    CompileLines(context, lines);
    FinishSource(context);
    WriteTrailer(context, base_path);
    log.ProcessPendingMessages();
    if (options.jump_check)
      RunJumpTargetCheck(context, text);
    else
      context.Log(m.jump_check_skipped, LogColor::kBlue);
  } catch (const CompileStop&) {
    outputs.RemoveAll();
    return {CompileOutcome::kCompileError, {}};
  }

  if (!outputs.WriteStoryFiles(context.body, context.index)) {
    context.Log(m.write_failed, LogColor::kRed);
    return {CompileOutcome::kWriteFailure, {}};
  }

  context.Log(m.creating_user_files);
  Bytes fresh = FreshUserData(context.title, context.variables);
  std::string reason;
  if (!outputs.WriteUserDataFiles(fresh, reason)) return {CompileOutcome::kUserDataFailure, reason};

  context.Log(m.finished);
  return {CompileOutcome::kSuccess, {}};
}

}  // namespace qvn
