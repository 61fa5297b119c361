#include "platform/process_start.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

namespace qvn {

std::vector<std::string> SplitCommandLine(const std::string& command_line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < command_line.size()) {
    while (i < command_line.size() && command_line[i] == ' ') ++i;
    std::size_t end = command_line.find(' ', i);
    if (end == std::string::npos) end = command_line.size();
    if (end > i) words.push_back(command_line.substr(i, end - i));
    i = end;
  }
  return words;
}

bool StartProgram(const std::string& command_line_utf8) {
  return StartProgramArguments(SplitCommandLine(command_line_utf8));
}

bool StartProgramArguments(std::vector<std::string> words) {
  if (words.empty() || words.front().empty()) return false;
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

  pid_t pid = 0;
  int rc = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (rc != 0) return false;
  // Reap the child when it ends so that no zombie is left behind.
  std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
  return true;
}

}  // namespace qvn
