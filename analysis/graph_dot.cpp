#include "analysis/graph_dot.h"

#include <map>
#include <set>
#include <utility>

#include "common/encoding.h"

namespace qvn {

namespace {

std::string NodeId(std::size_t record) {
  // Appended, not "b" + ...: GCC 12 at -O3 warns falsely about the latter.
  std::string id = "b";
  id += std::to_string(record);
  return id;
}

std::string MissingId(BytesView name) {
  std::string id = "missing_";
  for (unsigned char byte : name) {
    static const char kHex[] = "0123456789abcdef";
    id.push_back(kHex[byte >> 4]);
    id.push_back(kHex[byte & 15]);
  }
  return id;
}

}  // namespace

std::string DotQuoted(BytesView cp932) {
  std::string utf8 = Cp932ToUtf8(cp932);
  std::string out = "\"";
  for (char ch : utf8) {
    if (ch == '"' || ch == '\\') {
      out.push_back('\\');
      out.push_back(ch);
    } else if (ch == '&') {
      // Graphviz reads entities in labels: "&amp;" in a caption stays as typed.
      out += "&amp;";
    } else if (static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7f) {
      out.push_back(ch);
    }
  }
  return out + "\"";
}

namespace {

// The index records of the blocks near `around`: kAroundSteps along ways or
// against them.
std::set<std::size_t> BlocksAround(const StoryOutline& outline, const BlockIndex& index,
                                   BytesView around) {
  std::map<std::size_t, std::set<std::size_t>> neighbours;
  for (const OutlineBlock& block : outline.blocks)
    for (const OutlineWay& way : block.ways)
      if (std::size_t target = index.FindRecord(way.target)) {
        neighbours[block.record].insert(target);
        neighbours[target].insert(block.record);
      }
  std::set<std::size_t> near;
  std::size_t centre = index.FindRecord(around);
  if (centre == 0) return near;
  near.insert(centre);
  std::set<std::size_t> ring = {centre};
  for (int step = 0; step < kAroundSteps; ++step) {
    std::set<std::size_t> next;
    for (std::size_t record : ring)
      for (std::size_t neighbour : neighbours[record])
        if (near.insert(neighbour).second) next.insert(neighbour);
    ring = std::move(next);
  }
  return near;
}

}  // namespace

std::size_t WayCount(const StoryOutline& outline) {
  std::size_t ways = 0;
  for (const OutlineBlock& block : outline.blocks) ways += block.ways.size();
  return ways;
}

std::string StoryGraphDot(const StoryOutline& outline, const BlockIndex& index,
                          const Exploration* explored, const Bytes* around) {
  std::set<std::size_t> near;
  if (around) near = BlocksAround(outline, index, *around);
  auto drawn = [&](std::size_t record) { return !around || near.count(record) > 0; };
  std::set<Bytes> unreached;
  std::set<std::pair<Bytes, int>> never_shown;
  if (explored) {
    for (const UnreachedBlock& block : explored->unreached) unreached.insert(block.block);
    for (const NeverShownChoice& choice : explored->never_shown_choices)
      never_shown.emplace(choice.block, choice.choice);
  }

  std::string dot =
      "digraph story {\n"
      "  graph [rankdir=TB, fontname=\"IPAGothic\"];\n"
      "  node [shape=box, fontname=\"IPAGothic\"];\n"
      "  edge [fontname=\"IPAGothic\", fontsize=10];\n";
  for (const OutlineBlock& block : outline.blocks) {
    if (!drawn(block.record)) continue;
    std::string attributes = "label=" + DotQuoted(block.name);
    if (block.record == outline.blocks.front().record) attributes += ", peripheries=2, penwidth=2";
    if (block.ends_story) attributes += ", shape=octagon";
    if (block.silent) attributes += ", shape=ellipse, style=dashed";
    if (unreached.count(block.name))
      attributes += std::string(block.silent ? ", style=\"dashed,filled\"" : ", style=filled") +
                    ", fillcolor=grey85, fontcolor=grey45, color=grey60";
    if (around && index.FindRecord(*around) == block.record)
      attributes += ", style=\"filled,bold\", fillcolor=lightyellow";
    dot += "  " + NodeId(block.record) + " [" + attributes + "];\n";
  }

  std::set<Bytes> missing;
  for (const OutlineBlock& block : outline.blocks) {
    if (!drawn(block.record)) continue;
    std::map<int, const OutlineChoice*> choices;
    for (const OutlineChoice& choice : block.choices) choices[choice.ordinal] = &choice;
    for (const OutlineWay& way : block.ways) {
      std::string to;
      if (std::size_t record = index.FindRecord(way.target);
          record != 0 && !StartsWith(way.target, "QVN")) {
        if (!drawn(record)) continue;
        to = NodeId(record);
      } else {
        to = MissingId(way.target);
        if (missing.insert(way.target).second)
          dot += "  " + to + " [label=" + DotQuoted(way.target) +
                 ", shape=plaintext, fontcolor=red];\n";
      }
      Bytes label;
      if (way.kind == WayKind::kChoice && choices.count(way.choice))
        label = choices[way.choice]->caption;
      if (!way.condition.empty()) label += (label.empty() ? "" : " ") + way.condition;
      std::string attributes = "label=" + DotQuoted(label);
      if (way.kind == WayKind::kSilent) attributes += ", style=dotted";
      if (way.kind == WayKind::kChoice && never_shown.count({block.name, way.choice}))
        attributes += ", style=dashed, color=grey50, fontcolor=grey45";
      dot += "  " + NodeId(block.record) + " -> " + to + " [" + attributes + "];\n";
    }
  }
  dot += "}\n";
  return dot;
}

}  // namespace qvn
