#pragma once
// What reading aloud says for a page: its text, then each choice.
#include <QStringList>
#include <vector>

#include "common/bytes.h"

namespace qvn {

// `lines`: the page as the runtime gives it, which lists the choices at its
// foot; `captions`: the choices offered (A first; one empty caption is
// "Next" alone). The text is one utterance without that list, each choice
// one more ("A: caption"; a single choice is its caption).
QStringList SpokenPage(const std::vector<Bytes>& lines, const std::vector<Bytes>& captions);

}  // namespace qvn
