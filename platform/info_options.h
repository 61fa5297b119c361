#pragma once
// The answers a program gives before it starts its work: --help, --version
// and, for the window programs, where their manual is.
#include <optional>
#include <string>
#include <string_view>

#include "platform/language.h"

namespace qvn {

// The release, such as "1.0.0".
const char* ProgramVersion();

// What --version prints: the program, the release, the copyright and the
// licence, one line each.
std::string VersionText(std::string_view program_name);

struct ProgramInfo {
  const char* name = "";  // "QVN3"
  // The --help text in Japanese, ending in a newline: the message
  // catalogue's key in the context "ProgramHelp".
  const char* help = "";
  const char* manual = nullptr;  // the manual's file name, or null when none
  // The program's settings file ("qvn.ini"), whose language choice picks the
  // manual --manual-path names; null: the locale's language.
  const char* settings_file = nullptr;
};

struct InfoAnswer {
  int status = 0;
  std::string out;  // for stdout
  std::string err;  // for stderr
};

// The language the program's windows will speak: its settings file's choice,
// else the locale's.
Language InfoLanguage(const ProgramInfo& info);

// The answer when `first_argument` is -h, --help, --version or (for a program
// with a manual) --manual-path: ManualPath's answer, the page the program's
// help window shows. Nothing for any other argument, such as a story. The
// help is in the language of the installed message catalogue.
std::optional<InfoAnswer> AnswerInfoOption(std::string_view first_argument,
                                           const ProgramInfo& info);

// Prints the answer for argv[1], if any, and returns its exit status.
std::optional<int> PrintInfoOption(int argc, char** argv, const ProgramInfo& info);

}  // namespace qvn
