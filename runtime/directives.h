#pragma once
// The ">" records of a page: colours, background picture, picture window,
// sounds and outside programs.
#include <filesystem>
#include <string>

#include "common/bytes.h"
#include "runtime/host.h"
#include "runtime/story_state.h"

namespace qvn {

struct DirectiveContext {
  StoryState& state;
  Host& host;
  const std::string& story_folder;  // UTF-8, ends with "/"
  bool old_program_form;
};

// Carries out one directive record. Throws StoryError for a colour operand
// that is not a number; missing files are skipped silently.
void ApplyDirective(BytesView record, const DirectiveContext& context);

// A file operand of the story as a path: each "%P%" becomes the story folder
// (which is inserted as it is, never examined again), the story's own bytes
// are converted from CP932 and their backslashes become "/".
std::filesystem::path ExpandStoryPath(BytesView operand, const std::string& story_folder);

}  // namespace qvn
