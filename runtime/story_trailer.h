#pragma once
// The trailer of a compiled story: the string variables' labels and default
// values and the title, as the compiler left them after the last block.
#include <string>

#include "common/bytes.h"
#include "format/story_variables.h"

namespace qvn {

struct StoryTrailer {
  StringVariables variables;
  Bytes title;
};

// Reads the trailer through the story's own index and body files. Throws
// StoryError when they cannot be read.
StoryTrailer ReadStoryTrailer(const std::string& index_path, const std::string& body_path);

}  // namespace qvn
