#include "tests/support/run_command.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

extern char** environ;

namespace qvn::testing {

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& argv, const std::string& input) {
  // Output goes through files so that large outputs cannot block the child.
  std::string base = std::filesystem::temp_directory_path() / ("qvn-cmd-" + std::to_string(::getpid()));
  std::string in_path = base + ".in", out_path = base + ".out", err_path = base + ".err";
  {
    std::ofstream in(in_path, std::ios::binary);
    in << input;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in_path.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args;
  std::vector<std::string> copy = argv;
  for (std::string& arg : copy) args.push_back(arg.data());
  args.push_back(nullptr);
  CommandResult result;
  pid_t pid = 0;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = Slurp(out_path);
  result.err = Slurp(err_path);
  std::remove(in_path.c_str());
  std::remove(out_path.c_str());
  std::remove(err_path.c_str());
  return result;
}

}  // namespace qvn::testing
