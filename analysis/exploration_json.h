#pragma once
// The exploration as one JSON object (names and captions in UTF-8).
#include <string>

#include "analysis/story_explorer.h"

namespace qvn {

std::string ExplorationJson(const Exploration& exploration);

}  // namespace qvn
