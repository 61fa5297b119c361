#pragma once
// A compiled story read for analysis: its body and its block index, named by
// any of its files as `qvn play` takes it.
#include <string>

#include "common/bytes.h"
#include "runtime/block_index.h"

namespace qvn {

struct LoadedStory {
  Bytes body;
  BlockIndex index;
};

// False with a message for stderr (UTF-8) when the story cannot be read.
bool LoadStoryForAnalysis(const std::string& story_path, LoadedStory& story, std::string& error);

}  // namespace qvn
