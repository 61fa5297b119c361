#pragma once
// How the outside editor is started with the source.
#include <string>
#include <vector>

namespace qvn {

// The editor setting is a program, optionally with options of its own
// ("gedit --new-window"); a setting that names an existing file is that one
// program even when its path holds spaces. The source path is always one
// argument, whatever it contains.
std::vector<std::string> EditorCommand(const std::string& editor, const std::string& source_path);

// The same, opening the source at `line` (from 1) in the editors whose way of
// saying so is known: "+LINE" before the file for vim, nano, emacs and gedit,
// "--line LINE" for kate; other editors just open the file.
std::vector<std::string> EditorCommandAtLine(const std::string& editor,
                                             const std::string& source_path, int line);

}  // namespace qvn
