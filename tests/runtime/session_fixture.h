#pragma once
// A story folder, a program folder and a fall-back folder of their own, a
// recording host and a session on them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "common/encoding.h"
#include "fake_host.h"
#include "format/index_record.h"
#include "runtime/story_session.h"
#include "story_builder.h"

namespace qvn::testing {

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() {
    std::filesystem::create_directories(stories.Path() / "program");
    std::filesystem::create_directories(stories.Path() / "story");
  }

  std::string StoryFolder() const { return stories / "story"; }
  std::string ProgramFolder() const { return stories / "program/"; }
  std::string FallbackFolder() const { return stories / "fallback/"; }
  std::string StoryFile(const std::string& name) const { return StoryFolder() + "/" + name; }

  // Writes the story as <folder>/tale.* and opens it.
  bool Open(const StoryBuilder& story) {
    story_path = story.Write(StoryFolder(), "tale");
    session.SetStory(story_path);
    return session.OpenStory();
  }

  // The page shown, one UTF-8 string per line.
  const std::vector<std::string>& Page() const { return host.page; }

  ScratchFolder stories;
  FakeHost host;
  StorySession session{host, ProgramFolder(), FallbackFolder()};
  std::string story_path;
};

inline std::string U(BytesView cp932) {
  return Cp932ToUtf8(cp932);
}

}  // namespace qvn::testing
