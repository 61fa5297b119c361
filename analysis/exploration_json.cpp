#include "analysis/exploration_json.h"

#include <cstdio>

#include "common/encoding.h"
#include "common/json_string.h"

namespace qvn {

namespace {

// CP932 bytes (names, captions) as a JSON string in UTF-8.
std::string Quote(BytesView cp932) {
  return JsonString(Cp932ToUtf8(cp932));
}

template <typename Items, typename Write>
void List(std::string& out, const char* name, const Items& items, Write write) {
  out += ",\n  \"";
  out += name;
  out += "\": [";
  bool first = true;
  for (const auto& item : items) {
    out += first ? "\n    " : ",\n    ";
    first = false;
    write(item);
  }
  out += first ? "]" : "\n  ]";
}

const char* ReasonName(UnreachedReason reason) {
  switch (reason) {
    case UnreachedReason::kNoWayIn:
      return "no_way_in";
    case UnreachedReason::kClosedWaysIn:
      return "conditions_never_hold";
    case UnreachedReason::kNotExplored:
      break;
  }
  return "not_explored";
}

}  // namespace

std::string ExplorationJson(const Exploration& found) {
  // The keys and the whole `qvn play` argument list (before STORY).
  auto way = [&](const KeyPath& keys) {
    std::string out = "\"keys\": " + JsonString(ChooseArgument(keys)) + ", \"replay\": [";
    bool first = true;
    for (const std::string& argument : ReplayArguments(found, keys)) {
      out += (first ? "" : ", ") + JsonString(argument);
      first = false;
    }
    return out + "]";
  };
  std::string out = "{\n  \"blocks\": " + std::to_string(found.blocks);
  List(out, "reached", found.reached, [&](const Bytes& name) { out += Quote(name); });
  List(out, "unreached", found.unreached, [&](const UnreachedBlock& block) {
    out +=
        "{\"block\": " + Quote(block.block) + ", \"reason\": \"" + ReasonName(block.reason) + "\"}";
  });
  List(out, "endings", found.endings, [&](const ReachedEnding& ending) {
    out += "{\"block\": " + Quote(ending.block) + ", " + way(ending.keys) + "}";
  });
  List(out, "jump_errors", found.jump_errors, [&](const ReachedJumpError& error) {
    out += "{\"block\": " + Quote(error.block) + ", \"target\": " + Quote(error.target) + ", " +
           way(error.keys) + "}";
  });
  List(out, "silent_circles", found.silent_circles, [&](const ReachedCircle& circle) {
    out += "{\"block\": " + Quote(circle.block) + ", " + way(circle.keys) + "}";
  });
  List(out, "never_shown_choices", found.never_shown_choices, [&](const NeverShownChoice& choice) {
    out += "{\"block\": " + Quote(choice.block) + ", \"choice\": " + std::to_string(choice.choice) +
           ", \"caption\": " + Quote(choice.caption) + "}";
  });
  List(out, "play_errors", found.play_errors, [&](const ReachedPlayError& error) {
    out += "{\"block\": " + Quote(error.block) + ", \"reason\": " + JsonString(error.reason) +
           ", " + way(error.keys) + "}";
  });
  out += ",\n  \"states\": " + std::to_string(found.states);
  out += ",\n  \"complete\": ";
  out += found.complete ? "true" : "false";
  out += "\n}\n";
  return out;
}

}  // namespace qvn
