// qvn: the command line of the kit. Each subcommand is its own file.
#include <cstdio>
#include <string_view>

#include "cli/compile_command.h"
#include "cli/exit_codes.h"
#include "cli/explore_command.h"
#include "cli/export_command.h"
#include "cli/graph_command.h"
#include "cli/play_command.h"
#include "cli/terminal_name.h"
#include "common/message_catalogue.h"
#include "platform/info_options.h"
#include "platform/language.h"
#include "platform/program_folder.h"
#ifdef QVN_TRANSLATION
#include "translations/program_translation.h"
#endif

namespace {

constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "qvn",
    "使い方: qvn <コマンド> [オプション]\n"
    "\n"
    "コマンド:\n"
    "  compile   作品のソースをコンパイルする (qvn compile --help)\n"
    "  play      コンパイル済みの作品を端末で読む (qvn play --help)\n"
    "  explore   読み手が作品のどこまで行けるかを調べる (qvn explore --help)\n"
    "  graph     作品のブロックのグラフを書き出す (qvn graph --help)\n"
    "  export    作品を一つの HTML ページにする (qvn export --help)\n"
    "\n"
    "qvn --version はバージョンを表示します。オプションはすべて man qvn にあります。\n");

}  // namespace

int main(int argc, char** argv) {
#ifdef QVN_TRANSLATION
  // The reader's language, as QVN3 chooses it (its settings file is the same).
  qvn::QtMessageCatalogue catalogue;
  if (catalogue.Load(qvn::ProgramLanguage(qvn::ProgramFolder(), "qvn.ini")))
    qvn::InstallMessageCatalogue(&catalogue);
#endif
  if (argc < 2) {
    std::fputs(qvn::Translate("qvn", kUsage).c_str(), stderr);
    return qvn::kExitUsage;
  }
  std::string_view command = argv[1];
  if (command == "compile") return qvn::RunCompileCommand(argc - 1, argv + 1);
  if (command == "play") return qvn::RunPlayCommand(argc - 1, argv + 1);
  if (command == "explore") return qvn::RunExploreCommand(argc - 1, argv + 1);
  if (command == "graph") return qvn::RunGraphCommand(argc - 1, argv + 1);
  if (command == "export") return qvn::RunExportCommand(argc - 1, argv + 1);
  if (command == "--version") {
    std::fputs(qvn::VersionText("qvn").c_str(), stdout);
    return qvn::kExitOk;
  }
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(qvn::Translate("qvn", kUsage).c_str(), stdout);
    return qvn::kExitOk;
  }
  std::fprintf(stderr, "qvn: %s\n",
               qvn::FormatMessage(qvn::Translate("qvn", "%1 というコマンドはありません"),
                                  {qvn::EscapeControlBytes(command)})
                   .c_str());
  std::fputs(qvn::Translate("qvn", kUsage).c_str(), stderr);
  return qvn::kExitUsage;
}
