#include "workbench/block_head_lines.h"

#include "common/encoding.h"
#include "compiler/source_lines.h"
#include "format/markers.h"

namespace qvn {

std::map<Bytes, int> BlockHeadLines(BytesView source) {
  std::map<Bytes, int> lines;
  SourceLines reader(source);
  for (int number = 1; !reader.AtEnd(); ++number) {
    BytesView line = reader.Next();
    if (line.empty() || line[0] != '#') continue;
    BytesView name = line.substr(1);
    lines.emplace(CutBytes(name, kMaxBlockNameBytes), number);
    lines.emplace(CutBytes(Utf8ToCp932(name), kMaxBlockNameBytes), number);
  }
  return lines;
}

}  // namespace qvn
