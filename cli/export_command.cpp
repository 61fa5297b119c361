#include "cli/export_command.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "web/export/web_export.h"

namespace qvn {

namespace {

constexpr const char* kAbout =
    "Writes a compiled story (STORY names its .qvn, .qvj or any file of the same\n"
    "base name) as one HTML page that any browser opens, from a file or from a\n"
    "web server: the story, every picture and sound it names, and the reader\n"
    "(the same runtime as QVN3, in WebAssembly). No network is used by the page.\n"
    "MIDI tunes are rendered to Ogg Vorbis with FluidSynth.\n";

constexpr const char* kClosing =
    "A picture or sound the story names that is missing is a warning.\n"
    "Exit status: 0 written, 1 a story or media file cannot be read (nothing\n"
    "written), 2 the page cannot be written (the previous file is kept) or the\n"
    "web reader is not installed, 64 bad usage.\n";

}  // namespace

int RunExportCommand(int argc, char** argv) {
  bool web = false;
  std::string output;
  CommandLine line{"export",
                   "STORY",
                   kAbout,
                   {{"--web", "", "the format, and the only one: one HTML file",
                     [&](std::string_view) -> std::string {
                       web = true;
                       return {};
                     }},
                    {"--output", "FILE",
                     "where to write it (default: the story's base name with\n"
                     ".html, beside the story)",
                     [&](std::string_view file) -> std::string {
                       if (file.empty()) return "--output needs a file";
                       output = std::string(file);
                       return {};
                     }}},
                   kClosing};
  std::string story;
  if (auto status = ParseCommandLine(line, argc, argv, story)) return *status;
  if (!web) return UsageError(line, "give the format: --web");

  WebExportResult result = ExportWebPage(story, output);
  for (const std::string& warning : result.warnings)
    std::fprintf(stderr, "qvn export: warning: %s\n", warning.c_str());
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
