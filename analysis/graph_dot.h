#pragma once
// The block graph of a compiled story in Graphviz's DOT language: one node
// per block (the start block and endings marked, "@NOWAIT" blocks drawn
// apart), one edge per choice (its caption) and per jump-list line (its
// condition). With an exploration, unreached blocks are grey and choices
// never offered dashed. Labels are UTF-8.
#include <string>

#include "analysis/story_explorer.h"
#include "analysis/story_outline.h"
#include "runtime/block_index.h"

namespace qvn {

std::string StoryGraphDot(const StoryOutline& outline, const BlockIndex& index,
                          const Exploration* explored = nullptr);

// A DOT string literal of CP932 bytes: UTF-8, quotes and backslashes escaped,
// "&" written as an entity (labels read entities), control characters dropped.
std::string DotQuoted(BytesView cp932);

}  // namespace qvn
