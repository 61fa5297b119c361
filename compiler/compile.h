#pragma once
// The compile command: one story source into the story body, the block index
// and four fresh user data files, with the whole compile log.
#include <cstdint>
#include <string>

#include "common/bytes.h"
#include "common/encoding_source.h"
#include "compiler/log_sink.h"

namespace qvn {

struct CompileOptions {
  bool jump_check = true;         // "ジャンプ先チェック(&J)"
  bool block_names = false;       // "ブロック名表示(&B)"
  bool simple_warnings = true;    // "警告簡略化(&W)"
  bool password_enabled = false;  // "パスワード有効(&P)"
  Bytes password;                 // CP932, at most 255 bytes
  std::int16_t key = 0;
  // How the source is read; auto takes UTF-8 only where it must be UTF-8.
  SourceEncoding source_encoding = SourceEncoding::kAuto;
};

enum class CompileOutcome {
  kSuccess,           // all six files written
  kCompileError,      // the red report; all outputs removed
  kRefusedName,       // the source would collide with an output file
  kWriteFailure,      // the red write-failure line; what was written stays
  kSourceUnreadable,  // reason holds the system's text
  kUserDataFailure,   // a user data file could not be created; reason set
};

struct CompileResult {
  CompileOutcome outcome = CompileOutcome::kSuccess;
  std::string reason;  // UTF-8, for the unreadable and user-data failures
};

// `source_path` is a file-system path (UTF-8). Outputs go beside it, named
// from its base path.
CompileResult Compile(const std::string& source_path, const CompileOptions& options, LogSink& log);

}  // namespace qvn
