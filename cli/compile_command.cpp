#include "cli/compile_command.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "cli/exit_codes.h"
#include "cli/gcc_diagnostics.h"
#include "cli/terminal_log_sink.h"
#include "cli/terminal_name.h"
#include "common/encoding.h"
#include "common/number_field.h"
#include "compiler/compile.h"

namespace qvn {

namespace {

constexpr const char* kUsage =
    "usage: qvn compile [--jump-check=on|off] [--block-names=on|off]\n"
    "                   [--simple-warnings=on|off] [--password=TEXT --key=N]\n"
    "                   [--color=auto|always|never] [--encoding=utf-8|cp932]\n"
    "                   [--source-encoding=auto|cp932|utf-8] [--diagnostics=gcc] SOURCE\n";

constexpr const char* kHelp =
    "Compiles a story source into SOURCE-base.qvn and .qvj and four fresh user\n"
    "data files .Q01 to .Q04 beside it, and prints the compile log.\n"
    "\n"
    "  --jump-check=on|off       check that every jump names a block (default on)\n"
    "  --block-names=on|off      log each block as it is compiled (default off)\n"
    "  --simple-warnings=on|off  leave out the minor warnings (default on)\n"
    "  --password=TEXT           store TEXT as the story's password\n"
    "  --key=N                   the password's key number, 256 to 32000 (\"$\" for hex)\n"
    "  --color=auto|always|never errors in red, warnings in blue (auto: on a terminal)\n"
    "  --encoding=utf-8|cp932    encoding of the printed log (default utf-8)\n"
    "  --source-encoding=auto|cp932|utf-8\n"
    "                            encoding of SOURCE (default auto: UTF-8 when it has\n"
    "                            a byte-order mark or is valid UTF-8 with non-ASCII\n"
    "                            text, otherwise Shift-JIS)\n"
    "  --diagnostics=gcc         also print each error and warning to stderr as\n"
    "                            FILE:LINE:COLUMN: error|warning: MESSAGE (UTF-8)\n"
    "\n"
    "Exit status: 0 compiled (warnings allowed), 1 compile error, 2 write failure or\n"
    "unreadable source, 64 bad usage.\n";

int Usage(const char* problem) {
  if (problem) std::fprintf(stderr, "qvn compile: %s\n", EscapeControlBytes(problem).c_str());
  std::fputs(kUsage, stderr);
  return kExitUsage;
}

std::optional<bool> OnOff(std::string_view value) {
  if (value == "on") return true;
  if (value == "off") return false;
  return std::nullopt;
}

struct CompileArguments {
  CompileOptions options;
  std::optional<std::string> password;
  std::optional<std::int32_t> key;
  std::string color = "auto";
  bool utf8 = true;
  bool gcc_diagnostics = false;
  std::string source;
};

// Parses one "--name=value" option; false when it is not a valid one.
bool ParseOption(std::string_view arg, CompileArguments& parsed) {
  std::size_t equals = arg.find('=');
  if (equals == std::string_view::npos) return false;
  std::string_view name = arg.substr(0, equals);
  std::string_view value = arg.substr(equals + 1);
  if (name == "--jump-check" || name == "--block-names" || name == "--simple-warnings") {
    auto flag = OnOff(value);
    if (!flag) return false;
    if (name == "--jump-check") parsed.options.jump_check = *flag;
    if (name == "--block-names") parsed.options.block_names = *flag;
    if (name == "--simple-warnings") parsed.options.simple_warnings = *flag;
    return true;
  }
  if (name == "--password") {
    parsed.password = std::string(value);
    return true;
  }
  if (name == "--key") {
    parsed.key = ParseNumberField(value);
    return parsed.key && *parsed.key >= 256 && *parsed.key <= 32000;
  }
  if (name == "--color") {
    parsed.color = std::string(value);
    return value == "auto" || value == "always" || value == "never";
  }
  if (name == "--source-encoding") {
    auto encoding = ParseSourceEncoding(value);
    if (encoding) parsed.options.source_encoding = *encoding;
    return encoding.has_value();
  }
  if (name == "--diagnostics") {
    parsed.gcc_diagnostics = value == "gcc";
    return parsed.gcc_diagnostics;
  }
  if (name == "--encoding") {
    parsed.utf8 = value == "utf-8" || value == "UTF-8" || value == "utf8";
    return parsed.utf8 || value == "cp932" || value == "CP932";
  }
  return false;
}

}  // namespace

int RunCompileCommand(int argc, char** argv) {
  CompileArguments parsed;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      return kExitOk;
    }
    if (arg.starts_with("--")) {
      if (!ParseOption(arg, parsed)) return Usage(("bad option: " + std::string(arg)).c_str());
      continue;
    }
    if (!parsed.source.empty()) return Usage("only one SOURCE may be given");
    parsed.source = std::string(arg);
  }
  if (parsed.source.empty()) return Usage("SOURCE is missing");
  if (parsed.password.has_value() != parsed.key.has_value())
    return Usage("--password and --key go together");
  if (parsed.password) {
    parsed.options.password_enabled = true;
    parsed.options.password = CutBytes(Utf8ToCp932(*parsed.password), kMaxLineBytes);
    parsed.options.key = static_cast<std::int16_t>(*parsed.key);
  }

  bool color = parsed.color == "always" || (parsed.color == "auto" && ::isatty(STDOUT_FILENO));
  TerminalLogSink terminal(stdout, color, parsed.utf8);
  GccDiagnosticsSink diagnostics(terminal, stderr, parsed.source);
  LogSink& sink = parsed.gcc_diagnostics ? static_cast<LogSink&>(diagnostics) : terminal;
  CompileResult result = Compile(parsed.source, parsed.options, sink);
  std::fflush(stdout);
  switch (result.outcome) {
    case CompileOutcome::kSuccess:
      return kExitOk;
    case CompileOutcome::kCompileError:
    case CompileOutcome::kRefusedName:
      return kExitFailed;
    case CompileOutcome::kSourceUnreadable:
      std::fprintf(stderr, "qvn compile: %s: %s\n", EscapeControlBytes(parsed.source).c_str(),
                   result.reason.c_str());
      return kExitIoError;
    case CompileOutcome::kUserDataFailure:
      std::fprintf(stderr, "qvn compile: %s\n", EscapeControlBytes(result.reason).c_str());
      return kExitIoError;
    case CompileOutcome::kWriteFailure:
      return kExitIoError;
  }
  return kExitIoError;
}

}  // namespace qvn
