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

}  // namespace qvn
