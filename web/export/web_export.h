#pragma once
// A compiled story written as one HTML page for the web: what `qvn export
// --web` and the workbench's "Web用に書き出す..." do.
#include <string>
#include <vector>

namespace qvn {

enum class WebExportOutcome {
  kWritten,
  kUnreadable,   // a story or media file cannot be read: nothing written
  kWriteFailed,  // the page cannot be written (the previous file kept), or no reader
};

struct WebExportResult {
  WebExportOutcome outcome = WebExportOutcome::kWritten;
  std::string error;                  // UTF-8, when not written
  std::vector<std::string> warnings;  // missing pictures and sounds, tunes not rendered
  std::string output;                 // the page's path
};

// Writes the page of the compiled story `story` (its .qvn, .qvj or any file
// of its base name) to `output`, by default the story's base name with
// ".html" beside it.
WebExportResult ExportWebPage(const std::string& story, const std::string& output = {});

}  // namespace qvn
