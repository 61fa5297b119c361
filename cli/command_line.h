#pragma once
// One parser for every qvn command: a table of options per command gives the
// parsing, the usage line and the --help text, so they can never disagree.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qvn {

struct CommandOption {
  std::string_view name;   // "--max-states"
  std::string_view value;  // "N" for --max-states=N; empty for a switch
  std::string_view help;   // lines of its description, joined by '\n'
  // Takes the value given (empty for a switch); returns the usage error, or
  // an empty string when the value is accepted.
  std::function<std::string(std::string_view value)> take;
  bool repeatable = false;  // shown as "[--var=N=TEXT]..." in the usage
};

struct CommandLine {
  std::string_view command;  // "explore", as in "qvn explore"
  std::string_view operand;  // "STORY": exactly one is required
  std::string_view about;    // the help's opening paragraphs
  std::vector<CommandOption> options;
  std::string_view closing;  // the help's closing paragraphs (exit status)
};

// The usage line(s), wrapped to the terminal's customary 80 columns.
std::string UsageText(const CommandLine& line);
// The usage, the opening paragraphs, one entry per option, the closing.
std::string HelpText(const CommandLine& line);

// Prints "qvn COMMAND: PROBLEM" and the usage to stderr; returns exit 64.
int UsageError(const CommandLine& line, std::string_view problem);

// Parses argv[1..argc): options as the table gives them ("--name" or
// "--name=VALUE"), "--" ending them, "-" an operand, exactly one operand.
// Returns the exit status when the command ends here (--help: 0, a usage
// error: 64 with its message on stderr), nothing when the command goes on.
std::optional<int> ParseCommandLine(const CommandLine& line, int argc, char** argv,
                                    std::string& operand);

}  // namespace qvn
