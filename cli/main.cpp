// qvn: the command line of the kit. Each subcommand is its own file.
#include <cstdio>
#include <string_view>

#include "cli/compile_command.h"
#include "cli/exit_codes.h"
#include "cli/explore_command.h"
#include "cli/export_command.h"
#include "cli/graph_command.h"
#include "cli/play_command.h"
#include "platform/info_options.h"
#include "platform/language.h"
#include "platform/program_folder.h"
#ifdef QVN_TRANSLATION
#include "translations/program_translation.h"
#endif

namespace {

constexpr const char* kUsage =
    "usage: qvn <command> [options]\n"
    "\n"
    "commands:\n"
    "  compile   compile a story source (qvn compile --help)\n"
    "  play      play a compiled story in the terminal (qvn play --help)\n"
    "  explore   what a reader can reach in a compiled story (qvn explore --help)\n"
    "  graph     the block graph of a compiled story (qvn graph --help)\n"
    "  export    a compiled story as one HTML page (qvn export --help)\n"
    "\n"
    "qvn --version prints the version; man qvn describes every option.\n";

}  // namespace

int main(int argc, char** argv) {
#ifdef QVN_TRANSLATION
  // The reader's language, as QVN3 chooses it (its settings file is the same).
  qvn::QtMessageCatalogue catalogue;
  if (catalogue.Load(qvn::ProgramLanguage(qvn::ProgramFolder(), "qvn.ini")))
    qvn::InstallMessageCatalogue(&catalogue);
#endif
  if (argc < 2) {
    std::fputs(kUsage, stderr);
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
    std::fputs(kUsage, stdout);
    return qvn::kExitOk;
  }
  std::fprintf(stderr, "qvn: unknown command '%s'\n", argv[1]);
  std::fputs(kUsage, stderr);
  return qvn::kExitUsage;
}
