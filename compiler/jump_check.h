#pragma once
// The check that every jump names a block and that every block but the first
// is named by some jump or choice.
#include "common/bytes.h"
#include "compiler/compile_context.h"

namespace qvn {

// Reads the source twice more; a missing target is the red report.
void RunJumpTargetCheck(CompileContext& context, BytesView source);

}  // namespace qvn
