#pragma once
// The state of one compile, shared by the driver and the line handlers.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/bytes.h"
#include "compiler/compile.h"
#include "compiler/log_sink.h"
#include "compiler/messages.h"
#include "compiler/source_lines.h"
#include "compiler/stages.h"
#include "compiler/utf8_source.h"
#include "format/markers.h"
#include "format/story_variables.h"

namespace qvn {

// Thrown by ReportError once the red report is logged: the compile stops.
struct CompileStop {};

struct CompileContext {
  CompileContext(const CompileOptions& options_in, LogSink& log_in, std::string source_folder_in)
      : options(options_in), log(log_in), source_folder(std::move(source_folder_in)) {}

  const CompileOptions& options;
  LogSink& log;
  const CompilerMessages& messages = Messages();
  std::string source_folder;  // with a trailing "/", or empty

  int line_counter = 0;
  int block_counter = 0;
  int stage = kStageHeader;
  Bytes current_line;
  // A UTF-8 source, converted; null for a Shift-JIS one.
  const Utf8Source* utf8 = nullptr;
  // UTF-8 sources: the current line as the author wrote it.
  std::string_view CurrentAsWritten() const {
    return utf8 ? utf8->AsWritten(line_counter) : std::string_view();
  }
  Bytes latest_block;  // shown in the block line of the reports

  std::vector<Bytes> block_table;                  // names in source order
  std::unordered_map<Bytes, int> block_positions;  // name -> first position (0-based)
  std::vector<int> block_lines;                    // the source line of each head

  StringVariables variables;
  Bytes title;
  std::int32_t version_code = kDefaultVersionCode;

  Bytes body;   // the story body as written so far
  Bytes index;  // the block index as written so far

  std::int32_t BodySize() const { return static_cast<std::int32_t>(body.size()); }
  void WriteRecord(BytesView text);
  void WriteIndex(BytesView name, std::int32_t value);
  void Log(BytesView text, LogColor color = LogColor::kDefault) { log.Line(text, color); }
};

// Reads and counts the next source line into the current line; a UTF-8 line
// that CP932 cannot hold is the error report.
void ReadLine(CompileContext& context, SourceLines& lines);

// The red report; never returns. `column` is the byte of the line as written
// that the message is about (1 when it names no place in the line).
[[noreturn]] void ReportError(CompileContext& context, BytesView message, int column = 1);
// The blue report; the compile goes on.
void ReportWarning(CompileContext& context, BytesView message);

}  // namespace qvn
