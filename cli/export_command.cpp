#include "cli/export_command.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/exit_codes.h"
#include "web/export/web_export.h"

namespace qvn {

namespace {

constexpr const char* kUsage = "usage: qvn export --web [--output=FILE.html] STORY\n";

constexpr const char* kHelp =
    "Writes a compiled story (STORY names its .qvn, .qvj or any file of the same\n"
    "base name) as one HTML page that any browser opens, from a file or from a\n"
    "web server: the story, every picture and sound it names, and the reader\n"
    "(the same runtime as QVN3, in WebAssembly). No network is used by the page.\n"
    "MIDI tunes are rendered to Ogg Vorbis with FluidSynth.\n"
    "\n"
    "  --web             the only format: one HTML file\n"
    "  --output=FILE     where to write it (default: the story's base name with\n"
    "                    .html, beside the story)\n"
    "\n"
    "A picture or sound the story names that is missing is a warning.\n"
    "Exit status: 0 written, 1 a story or media file cannot be read (nothing\n"
    "written), 2 the page cannot be written (the previous file is kept) or the\n"
    "web reader is not installed, 64 bad usage.\n";

struct ExportOptions {
  bool web = false;
  std::string output;
  std::string story;
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string ParseOptions(int argc, char** argv, ExportOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--web") {
      options.web = true;
    } else if (StartsWith(arg, "--output=")) {
      options.output = std::string(arg.substr(9));
      if (options.output.empty()) return "--output needs a file";
    } else if (StartsWith(arg, "-") && arg != "-") {
      return "unknown option " + std::string(arg);
    } else if (options.story.empty()) {
      options.story = std::string(arg);
    } else {
      return "only one STORY may be given";
    }
  }
  if (!options.web) return "give the format: --web";
  if (options.story.empty()) return "no STORY given";
  return {};
}

int Failure(int status, const std::string& text) {
  std::fprintf(stderr, "qvn export: %s\n", text.c_str());
  return status;
}

}  // namespace

int RunExportCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      return kExitOk;
    }
  }
  ExportOptions options;
  std::string usage_error = ParseOptions(argc, argv, options);
  if (!usage_error.empty()) {
    std::fprintf(stderr, "qvn export: %s\n%s", usage_error.c_str(), kUsage);
    return kExitUsage;
  }

  WebExportResult result = ExportWebPage(options.story, options.output);
  for (const std::string& warning : result.warnings)
    std::fprintf(stderr, "qvn export: warning: %s\n", warning.c_str());
  switch (result.outcome) {
    case WebExportOutcome::kWritten:
      std::printf("%s\n", result.output.c_str());
      return kExitOk;
    case WebExportOutcome::kUnreadable:
      return Failure(kExitFailed, result.error);
    case WebExportOutcome::kWriteFailed:
      break;
  }
  return Failure(kExitIoError, result.error);
}

}  // namespace qvn
