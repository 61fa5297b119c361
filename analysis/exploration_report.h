#pragma once
// The exploration told in Japanese, one line at a time: what `qvn explore`
// prints and what the workbench writes into its compile log.
#include <vector>

#include "analysis/story_explorer.h"
#include "common/bytes.h"

namespace qvn {

struct ReportLine {
  Bytes text;            // CP932
  bool problem = false;  // shown as a warning
  Bytes block;           // the block a problem lies in; empty for other lines
};

std::vector<ReportLine> ExplorationReport(const Exploration& exploration);

}  // namespace qvn
