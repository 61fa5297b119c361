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

// With `around`, only the blocks at most kAroundSteps ways from that block
// (either way along them) are drawn, the block itself filled.
inline constexpr int kAroundSteps = 2;
std::string StoryGraphDot(const StoryOutline& outline, const BlockIndex& index,
                          const Exploration* explored = nullptr, const Bytes* around = nullptr);

// The number of ways (edges) the graph of `outline` has.
std::size_t WayCount(const StoryOutline& outline);

// A DOT string literal of CP932 bytes: UTF-8, quotes and backslashes escaped,
// "&" written as an entity (labels read entities), control characters dropped.
std::string DotQuoted(BytesView cp932);

}  // namespace qvn
