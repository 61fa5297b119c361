#include "cli/export_command.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "common/message_catalogue.h"
#include "web/export/web_export.h"

namespace qvn {

namespace {

constexpr const char* kAbout = QT_TRANSLATE_NOOP(
    "qvn",
    "コンパイル済みの作品を、どのブラウザでもファイルからでもウェブサーバーからでも\n"
    "開ける一つの HTML ページに書き出します。STORY には作品の .qvn、.qvj か同じ\n"
    "ベース名のどれかのファイルを与えます。ページには作品と、作品が名指す画像と音の\n"
    "すべてと、読むためのプログラム (QVN3 と同じランタイムを WebAssembly にしたもの)\n"
    "が入り、ネットワークは使いません。\n"
    "MIDI の曲は FluidSynth で Ogg Vorbis にします。\n");

constexpr const char* kClosing = QT_TRANSLATE_NOOP(
    "qvn",
    "作品が名指す画像や音が見つからないときは警告です。\n"
    "終了ステータス: 0 書けた、1 作品かメディアのファイルを読めない (何も書かない)、\n"
    "2 ページを書けない (前のファイルは残る) かウェブリーダーがインストールされて\n"
    "いない、64 使い方の誤り。\n");

}  // namespace

int RunExportCommand(int argc, char** argv) {
  bool web = false;
  std::string output;
  CommandLine line{"export",
                   "STORY",
                   kAbout,
                   {{"--web", "", QT_TRANSLATE_NOOP("qvn", "形式 (これだけ): 一つの HTML ファイル"),
                     [&](std::string_view) -> std::string {
                       web = true;
                       return {};
                     }},
                    {"--output", "FILE",
                     QT_TRANSLATE_NOOP("qvn",
                                       "書き出す先 (既定: 作品と同じフォルダーの、作品の\n"
                                       "ベース名に .html を付けたファイル)"),
                     [&](std::string_view file) -> std::string {
                       if (file.empty()) return Translate("qvn", "--output にはファイルを与えます");
                       output = std::string(file);
                       return {};
                     }}},
                   kClosing};
  std::string story;
  if (auto status = ParseCommandLine(line, argc, argv, story)) return *status;
  if (!web) return UsageError(line, Translate("qvn", "形式を与えてください: --web"));

  WebExportResult result = ExportWebPage(story, output);
  for (const std::string& warning : result.warnings)
    std::fprintf(stderr, "qvn export: %s\n",
                 FormatMessage(Translate("qvn", "警告: %1"), {warning}).c_str());
  switch (result.outcome) {
    case WebExportOutcome::kWritten:
      std::printf("%s\n", result.output.c_str());
      return kExitOk;
    case WebExportOutcome::kUnreadable:
      std::fprintf(stderr, "qvn export: %s\n", result.error.c_str());
      return kExitFailed;
    case WebExportOutcome::kWriteFailed:
      break;
  }
  std::fprintf(stderr, "qvn export: %s\n", result.error.c_str());
  return kExitIoError;
}

}  // namespace qvn
