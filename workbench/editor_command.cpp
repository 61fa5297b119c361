#include "workbench/editor_command.h"

#include <filesystem>
#include <system_error>

#include "platform/process_start.h"

namespace qvn {

std::vector<std::string> EditorCommand(const std::string& editor, const std::string& source_path) {
  std::error_code ec;
  std::vector<std::string> words;
  if (std::filesystem::is_regular_file(editor, ec))
    words.push_back(editor);
  else
    words = SplitCommandLine(editor);
  words.push_back(source_path);
  return words;
}

std::vector<std::string> EditorCommandAtLine(const std::string& editor,
                                             const std::string& source_path, int line) {
  std::vector<std::string> words = EditorCommand(editor, source_path);
  if (line < 1 || words.size() < 2) return words;
  std::string program = std::filesystem::path(words.front()).filename().string();
  static const char* const kPlusLine[] = {"vim",  "vi",    "nvim",        "gvim",  "view",
                                          "nano", "emacs", "emacsclient", "gedit", "rnano"};
  auto source = words.end() - 1;
  for (const char* name : kPlusLine) {
    if (program == name) {
      std::string plus_line(1, '+');
      plus_line.append(std::to_string(line));
      words.insert(source, std::move(plus_line));
      return words;
    }
  }
  if (program == "kate") words.insert(source, {"--line", std::to_string(line)});
  return words;
}

}  // namespace qvn
