#include "analysis/loaded_story.h"

#include "common/message_catalogue.h"
#include "platform/file_names.h"
#include "runtime/story_body.h"
#include "runtime/story_error.h"
#include "runtime/story_location.h"

namespace qvn {

bool LoadStoryForAnalysis(const std::string& story_path, LoadedStory& story, std::string& error) {
  StoryLocation location;
  location.SetStory(story_path);
  std::string body_file = location.StoryFile(".QVN");
  if (!ResolveExisting(body_file)) {
    error = FormatMessage(
        Translate("qvn", "%1: その名前のコンパイル済みの作品はありません (%2 がありません)"),
        {story_path, body_file});
    return false;
  }
  try {
    LoadIndex(location.StoryFile(".QVJ"), story.index);
  } catch (const StoryError& failure) {
    error = failure.File() + ": " + failure.what();
    return false;
  }
  // Read as the browser reads it: a regular file of bounded size.
  StoryBody body;
  try {
    body.Open(body_file);
  } catch (const StoryError& failure) {
    error = failure.File() + ": " + failure.what();
    return false;
  }
  story.body = Bytes(body.View());
  return true;
}

}  // namespace qvn
