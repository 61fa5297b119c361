#pragma once
// The runtime's own words (CP932 bytes, Japanese as the runtime keeps them)
// in the reader's language, at the edge where the window shows them. Bytes
// that are no message of ours (a slot's "label:value", story text) are shown
// as they are.
#include <QString>

#include "common/bytes.h"

namespace qvn {

QString RuntimeText(BytesView bytes);

// The new-game prompt's comment: the runtime's "<label>を入力して下さい"
// (cut to its byte limit) in Japanese, a question of its own in English.
QString VariablePrompt(BytesView comment, BytesView label);

}  // namespace qvn
