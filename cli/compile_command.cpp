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
#include "common/message_catalogue.h"
#include "common/number_field.h"
#include "compiler/compile.h"

namespace qvn {

namespace {

constexpr const char* kAbout = QT_TRANSLATE_NOOP(
    "qvn",
    "作品のソース SOURCE をコンパイルして、ソースと同じフォルダーにベース名の .qvn と\n"
    ".qvj、まっさらなユーザーデータファイル .Q01 から .Q04 を作り、コンパイルの\n"
    "ログを表示します。\n");

constexpr const char* kClosing =
    QT_TRANSLATE_NOOP("qvn",
                      "終了ステータス: 0 コンパイルできた (警告があっても)、1 コンパイルエラー、\n"
                      "2 書き込みの失敗かソースを読めない、64 使い方の誤り。\n");

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
            if (!flag)
              return FormatMessage(Translate("qvn", "%1 には on か off を与えます"), {name});
            toggle = *flag;
            return {};
          }};
}

CommandLine CompileCommandLine(CompileArguments& parsed) {
  CompileOptions& options = parsed.options;
  return {"compile",
          "SOURCE",
          kAbout,
          {Toggle("--jump-check",
                  QT_TRANSLATE_NOOP("qvn", "ジャンプ先のブロックがあるか調べる (既定 on)"),
                  options.jump_check),
           Toggle("--block-names",
                  QT_TRANSLATE_NOOP("qvn", "コンパイルするブロックの名前をログに書く (既定 off)"),
                  options.block_names),
           Toggle("--simple-warnings", QT_TRANSLATE_NOOP("qvn", "細かい警告を省く (既定 on)"),
                  options.simple_warnings),
           {"--password", "TEXT", QT_TRANSLATE_NOOP("qvn", "TEXT を作品のパスワードにする"),
            [&](std::string_view value) -> std::string {
              parsed.password = std::string(value);
              return {};
            }},
           {"--key", "N",
            QT_TRANSLATE_NOOP("qvn", "パスワードのキー番号、256 から 32000 (「$」で 16 進)"),
            [&](std::string_view value) -> std::string {
              parsed.key = ParseNumberField(value);
              if (!parsed.key || *parsed.key < 256 || *parsed.key > 32000)
                return Translate("qvn", "--key には 256 から 32000 の数を与えます");
              return {};
            }},
           {"--color", "auto|always|never",
            QT_TRANSLATE_NOOP("qvn", "エラーを赤、警告を青で表示 (auto: 端末のときだけ)"),
            [&](std::string_view value) -> std::string {
              if (value != "auto" && value != "always" && value != "never")
                return Translate("qvn", "--color には auto、always、never のどれかを与えます");
              parsed.color = std::string(value);
              return {};
            }},
           {"--encoding", "utf-8|cp932",
            QT_TRANSLATE_NOOP("qvn", "表示するログの文字コード (既定 utf-8)"),
            [&](std::string_view value) -> std::string {
              parsed.utf8 = value == "utf-8" || value == "UTF-8" || value == "utf8";
              if (!parsed.utf8 && value != "cp932" && value != "CP932")
                return Translate("qvn", "--encoding には utf-8 か cp932 を与えます");
              return {};
            }},
           {"--source-encoding", "auto|cp932|utf-8",
            QT_TRANSLATE_NOOP("qvn",
                              "SOURCE の文字コード (既定 auto: バイト順マークが\n"
                              "あるか、ASCII 以外の文字を含む正しい UTF-8 なら\n"
                              "UTF-8、ほかは Shift-JIS)"),
            [&](std::string_view value) -> std::string {
              auto encoding = ParseSourceEncoding(value);
              if (!encoding)
                return Translate("qvn",
                                 "--source-encoding には auto、cp932、utf-8 のどれかを与えます");
              options.source_encoding = *encoding;
              return {};
            }},
           {"--diagnostics", "gcc",
            QT_TRANSLATE_NOOP("qvn",
                              "エラーと警告を一つずつ標準エラー出力にも書く。\n"
                              "形は FILE:LINE:COLUMN: error|warning: MESSAGE\n"
                              "(UTF-8)"),
            [&](std::string_view value) -> std::string {
              if (value != "gcc") return Translate("qvn", "--diagnostics には gcc を与えます");
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
    return UsageError(line, Translate("qvn", "--password と --key は一緒に与えます"));
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
