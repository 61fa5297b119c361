#pragma once
// The handlers of each line kind. Each reads and may rewrite the current
// line, moves the stage, writes records and reports through the context.
#include "common/bytes.h"
#include "compiler/compile_context.h"
#include "compiler/source_lines.h"

namespace qvn {

// Dispatches the current line (already read and counted) by its first byte.
void HandleLine(CompileContext& context, SourceLines& lines);

void HandleBlockHead(CompileContext& context);
void HandleTextLine(CompileContext& context, SourceLines& lines);
void HandleHeaderStatement(CompileContext& context);
void HandleVariableDefinition(CompileContext& context);
void HandleFlagLine(CompileContext& context);
void HandleQuestionLine(CompileContext& context);
void HandleDirective(CompileContext& context);

// 1 to 8 bytes, else the error report.
void CheckBlockName(CompileContext& context, BytesView name);

// Checks the conditions before the first comma of the current line and
// rewrites its counter tests in upper case.
void CheckConditions(CompileContext& context);

}  // namespace qvn
