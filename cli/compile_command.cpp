#include "cli/compile_command.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/gcc_diagnostics.h"
#include "cli/terminal_log_sink.h"
#include "cli/terminal_name.h"
#include "common/encoding.h"
#include "common/number_field.h"
#include "compiler/compile.h"

namespace qvn {

namespace {

constexpr const char* kAbout =
    "Compiles a story source into SOURCE-base.qvn and .qvj and four fresh user\n"
    "data files .Q01 to .Q04 beside it, and prints the compile log.\n";

constexpr const char* kClosing =
    "Exit status: 0 compiled (warnings allowed), 1 compile error, 2 write failure or\n"
    "unreadable source, 64 bad usage.\n";

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

// An "on|off" option setting one of the compile's toggles.
CommandOption Toggle(std::string_view name, std::string_view help, bool& toggle) {
  return {name, "on|off", help, [name, &toggle](std::string_view value) -> std::string {
            auto flag = OnOff(value);
            if (!flag) return std::string(name) + " takes on or off";
            toggle = *flag;
            return {};
          }};
}

CommandLine CompileCommandLine(CompileArguments& parsed) {
  CompileOptions& options = parsed.options;
  return {"compile",
          "SOURCE",
          kAbout,
          {Toggle("--jump-check", "check that every jump names a block (default on)",
                  options.jump_check),
           Toggle("--block-names", "log each block as it is compiled (default off)",
                  options.block_names),
           Toggle("--simple-warnings", "leave out the minor warnings (default on)",
                  options.simple_warnings),
           {"--password", "TEXT", "store TEXT as the story's password",
            [&](std::string_view value) -> std::string {
              parsed.password = std::string(value);
              return {};
            }},
           {"--key", "N", "the password's key number, 256 to 32000 (\"$\" for hex)",
            [&](std::string_view value) -> std::string {
              parsed.key = ParseNumberField(value);
              if (!parsed.key || *parsed.key < 256 || *parsed.key > 32000)
                return "--key takes a number from 256 to 32000";
              return {};
            }},
           {"--color", "auto|always|never", "errors in red, warnings in blue (auto: on a terminal)",
            [&](std::string_view value) -> std::string {
              if (value != "auto" && value != "always" && value != "never")
                return "--color takes auto, always or never";
              parsed.color = std::string(value);
              return {};
            }},
           {"--encoding", "utf-8|cp932", "encoding of the printed log (default utf-8)",
            [&](std::string_view value) -> std::string {
              parsed.utf8 = value == "utf-8" || value == "UTF-8" || value == "utf8";
              if (!parsed.utf8 && value != "cp932" && value != "CP932")
                return "--encoding takes utf-8 or cp932";
              return {};
            }},
           {"--source-encoding", "auto|cp932|utf-8",
            "encoding of SOURCE (default auto: UTF-8 when it has\n"
            "a byte-order mark or is valid UTF-8 with non-ASCII\n"
            "text, otherwise Shift-JIS)",
            [&](std::string_view value) -> std::string {
              auto encoding = ParseSourceEncoding(value);
              if (!encoding) return "--source-encoding takes auto, cp932 or utf-8";
              options.source_encoding = *encoding;
              return {};
            }},
           {"--diagnostics", "gcc",
            "also print each error and warning to stderr as\n"
            "FILE:LINE:COLUMN: error|warning: MESSAGE (UTF-8)",
            [&](std::string_view value) -> std::string {
              if (value != "gcc") return "--diagnostics takes gcc";
              parsed.gcc_diagnostics = true;
              return {};
            }}},
          kClosing};
}

}  // namespace

int RunCompileCommand(int argc, char** argv) {
  CompileArguments parsed;
  CommandLine line = CompileCommandLine(parsed);
  if (auto status = ParseCommandLine(line, argc, argv, parsed.source)) return *status;
  if (parsed.password.has_value() != parsed.key.has_value())
    return UsageError(line, "--password and --key go together");
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
