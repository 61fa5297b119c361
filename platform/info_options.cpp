#include "platform/info_options.h"

#include <cstdio>

#include "common/message_catalogue.h"
#include "platform/language.h"
#include "platform/manual.h"
#include "platform/program_folder.h"

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

Language InfoLanguage(const ProgramInfo& info) {
  return info.settings_file ? ProgramLanguage(ProgramFolder(), info.settings_file)
                            : LanguageOfEnvironment();
}

std::optional<InfoAnswer> AnswerInfoOption(std::string_view first_argument,
                                           const ProgramInfo& info) {
  InfoAnswer answer;
  if (first_argument == "--help" || first_argument == "-h") {
    answer.out = Translate("ProgramHelp", info.help);
  } else if (first_argument == "--version") {
    answer.out = VersionText(info.name);
  } else if (first_argument == "--manual-path" && info.manual) {
    // Answered before the window starts: the language is chosen here as the
    // window will choose it.
    std::string manual = ManualPath(info.manual, InfoLanguage(info));
    if (manual.empty()) {
      answer.status = 1;
      answer.err.append(info.name).append(": ");
      answer.err.append(FormatMessage(
          Translate("Manual", "マニュアル %1 がインストールされていません"), {info.manual}));
      answer.err.append("\n");
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
