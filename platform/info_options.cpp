#include "platform/info_options.h"

#include <cstdio>

#include "common/message_catalogue.h"
#include "platform/manual.h"

#ifndef QVN_VERSION
#define QVN_VERSION "0"
#endif

namespace qvn {

const char* ProgramVersion() {
  return QVN_VERSION;
}

std::string VersionText(std::string_view program_name) {
  return std::string(program_name) + " (QVN for Linux) " + ProgramVersion() +
         "\nCopyright (c) 2026 The QVN for Linux developers\nMIT License\n";
}

std::optional<InfoAnswer> AnswerInfoOption(std::string_view first_argument,
                                           const ProgramInfo& info) {
  InfoAnswer answer;
  if (first_argument == "--help" || first_argument == "-h") {
    answer.out = Translate("ProgramHelp", info.help);
  } else if (first_argument == "--version") {
    answer.out = VersionText(info.name);
  } else if (first_argument == "--manual-path" && info.manual) {
    std::string manual = ManualPath(info.manual);
    if (manual.empty()) {
      answer.status = 1;
      answer.err = std::string(info.name) + ": the manual " + info.manual + " is not installed\n";
    } else {
      answer.out = manual + "\n";
    }
  } else {
    return std::nullopt;
  }
  return answer;
}

std::optional<int> PrintInfoOption(int argc, char** argv, const ProgramInfo& info) {
  if (argc < 2) return std::nullopt;
  std::optional<InfoAnswer> answer = AnswerInfoOption(argv[1], info);
  if (!answer) return std::nullopt;
  std::fputs(answer->out.c_str(), stdout);
  std::fputs(answer->err.c_str(), stderr);
  return answer->status;
}

}  // namespace qvn
