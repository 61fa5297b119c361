#pragma once
// The exploration told in the reader's language (Japanese by default), one
// line at a time: what `qvn explore` prints and what the workbench writes
// into its compile log.
#include <vector>

#include "analysis/story_explorer.h"
#include "common/bytes.h"

namespace qvn {

struct ReportLine {
  Bytes text;            // CP932
  bool problem = false;  // shown as a warning
  Bytes block;           // the block a problem lies in; empty for other lines
};

// How a way from a new game is told: as the keys of `qvn play --choose`, or in
// the words a reader knows ("A → 次へ", "A → Next").
enum class WayForm { kChooseOption, kWords };

std::vector<ReportLine> ExplorationReport(const Exploration& exploration,
                                          WayForm way_form = WayForm::kChooseOption);

}  // namespace qvn
