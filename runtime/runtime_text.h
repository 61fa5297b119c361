#pragma once
// The runtime's own words (CP932 bytes, Japanese as the runtime keeps them)
// in the reader's language, UTF-8, for the window and the terminal alike.
// Bytes that are no message of ours (a slot's "label:value", story text) come
// back as they are.
#include <string>

#include "common/bytes.h"

namespace qvn {

std::string LocalizedRuntimeText(BytesView bytes);

// The new-game prompt's comment: the runtime's "<label>を入力して下さい"
// (cut to its byte limit) in Japanese, a question of its own in English.
std::string LocalizedVariablePrompt(BytesView comment, BytesView label);
// The same where only the comment is at hand: the label is what comes before
// the runtime's ending; a comment cut short is shown as it is.
std::string LocalizedVariablePrompt(BytesView comment);

}  // namespace qvn
