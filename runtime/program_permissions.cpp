#include "runtime/program_permissions.h"

#include <algorithm>

namespace qvn {

namespace {

constexpr std::size_t kMaxStoredPathBytes = 1023;  // what a settings value holds

}  // namespace

bool StorablePath(const std::string& path) {
  if (path.empty() || path.size() > kMaxStoredPathBytes || path.front() != '/') return false;
  if (path.back() == ' ' || path.back() == '\t') return false;  // trimmed when read
  return std::none_of(path.begin(), path.end(), [](char ch) { return ch == '\r' || ch == '\n'; });
}

bool ProgramPermissions::Allows(const std::string& story_file) const {
  return std::find(allowed_stories.begin(), allowed_stories.end(), story_file) !=
         allowed_stories.end();
}

bool ProgramPermissions::Allow(const std::string& story_file) {
  if (Allows(story_file)) return true;
  if (!StorablePath(story_file) || allowed_stories.size() >= kMaxAllowedStories) return false;
  allowed_stories.push_back(story_file);
  return true;
}

void ProgramPermissions::Withdraw(const std::string& story_file) {
  std::erase(allowed_stories, story_file);
}

}  // namespace qvn
