#include "cli/command_line.h"

#include <algorithm>
#include <cstdio>

#include "cli/exit_codes.h"
#include "cli/terminal_name.h"

namespace qvn {

namespace {

constexpr std::size_t kColumns = 80;
// Option names longer than this put their description on the next line.
constexpr std::size_t kHelpColumn = 28;

std::string Spelled(const CommandOption& option) {
  std::string text(option.name);
  if (!option.value.empty()) text.append("=").append(option.value);
  return text;
}

const CommandOption* FindOption(const CommandLine& line, std::string_view name) {
  for (const CommandOption& option : line.options)
    if (option.name == name) return &option;
  return nullptr;
}

}  // namespace

std::string UsageText(const CommandLine& line) {
  std::string lead = "usage: qvn " + std::string(line.command) + " ";
  std::vector<std::string> words;
  // Appended piece by piece: GCC's -O3 warns (-Wrestrict) wrongly about
  // "[" + string + "]".
  for (const CommandOption& option : line.options) {
    std::string word = "[";
    word += Spelled(option);
    word += option.repeatable ? "]..." : "]";
    words.push_back(std::move(word));
  }
  words.emplace_back(line.operand);

  std::string text = lead;
  std::size_t column = lead.size();
  bool first_on_line = true;
  for (const std::string& word : words) {
    if (!first_on_line && column + 1 + word.size() > kColumns) {
      text += '\n';
      text.append(lead.size(), ' ');
      column = lead.size();
      first_on_line = true;
    }
    if (!first_on_line) {
      text += ' ';
      ++column;
    }
    text += word;
    column += word.size();
    first_on_line = false;
  }
  return text + "\n";
}

std::string HelpText(const CommandLine& line) {
  std::string text = UsageText(line);
  text.append("\n").append(line.about);
  if (!line.options.empty()) {
    std::size_t width = 0;
    for (const CommandOption& option : line.options)
      width = std::max(width, Spelled(option).size());
    std::size_t column = std::min(width, kHelpColumn - 4) + 4;
    text += "\n";
    for (const CommandOption& option : line.options) {
      std::string spelled = "  " + Spelled(option);
      std::string_view help = option.help;
      bool own_line = spelled.size() + 2 > column;
      text += spelled;
      if (own_line) text += "\n";
      bool first = !own_line;
      while (!help.empty()) {
        std::size_t end = help.find('\n');
        std::string_view piece = help.substr(0, end);
        std::size_t at = first ? spelled.size() : 0;
        text += std::string(column - at, ' ');
        text.append(piece).append("\n");
        first = false;
        help = end == std::string_view::npos ? std::string_view() : help.substr(end + 1);
      }
      if (option.help.empty()) text += "\n";
    }
  }
  if (!line.closing.empty()) text.append("\n").append(line.closing);
  return text;
}

int UsageError(const CommandLine& line, std::string_view problem) {
  std::fprintf(stderr, "qvn %.*s: %s\n%s", static_cast<int>(line.command.size()),
               line.command.data(), EscapeControlBytes(problem).c_str(), UsageText(line).c_str());
  return kExitUsage;
}

std::optional<int> ParseCommandLine(const CommandLine& line, int argc, char** argv,
                                    std::string& operand) {
  // --help wins wherever it stands, so a half-typed command line still helps.
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") {
      std::fputs(HelpText(line).c_str(), stdout);
      return kExitOk;
    }
  }
  bool options_ended = false;
  bool have_operand = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (!options_ended && arg == "--") {
      options_ended = true;
      continue;
    }
    if (options_ended || arg.empty() || arg[0] != '-' || arg == "-") {
      if (have_operand)
        return UsageError(line, "only one " + std::string(line.operand) + " may be given");
      operand = std::string(arg);
      have_operand = true;
      continue;
    }
    std::size_t equals = arg.find('=');
    std::string_view name = arg.substr(0, equals);
    const CommandOption* option = FindOption(line, name);
    if (!option) return UsageError(line, "unknown option " + std::string(name));
    std::string_view value;
    if (option->value.empty()) {
      if (equals != std::string_view::npos)
        return UsageError(line, std::string(name) + " takes no value");
    } else {
      if (equals == std::string_view::npos)
        return UsageError(line, std::string(name) + " needs a value: " + Spelled(*option));
      value = arg.substr(equals + 1);
    }
    if (std::string problem = option->take(value); !problem.empty())
      return UsageError(line, problem);
  }
  if (!have_operand) return UsageError(line, "no " + std::string(line.operand) + " given");
  return std::nullopt;
}

}  // namespace qvn
