#pragma once
// The ">" records of a page: colours, background picture, picture window,
// sounds and outside programs.
#include <filesystem>
#include <string>

#include "common/bytes.h"
#include "runtime/host.h"
#include "runtime/program_permissions.h"
#include "runtime/story_location.h"
#include "runtime/story_state.h"

namespace qvn {

struct DirectiveContext {
  StoryState& state;
  Host& host;
  const std::string& story_folder;  // UTF-8, ends with "/"
  bool old_program_form;
  ProgramPermissions& programs;   // the reader's choices; "always" adds to them
  const StoryLocation& location;  // names the story file for those choices
};

// Carries out one directive record. Throws StoryError for a colour operand
// that is not a number; missing files are skipped silently. A program starts
// only as `programs` and the reader, asked through the host, allow.
void ApplyDirective(BytesView record, const DirectiveContext& context);

// A file operand of the story as a path: each "%P%" becomes the story folder
// (which is inserted as it is, never examined again), the story's own bytes
// are converted from CP932 and their backslashes become "/".
std::filesystem::path ExpandStoryPath(BytesView operand, const std::string& story_folder);

}  // namespace qvn
