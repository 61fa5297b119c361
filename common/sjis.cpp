#include "common/sjis.h"

namespace qvn {

void UpperAsciiInPlace(Bytes& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(byte)) {
      ++i;  // the trail byte belongs to the character
    } else if (byte >= 'a' && byte <= 'z') {
      text[i] = static_cast<char>(byte - ('a' - 'A'));
    }
  }
}

Bytes UpperAscii(BytesView text) {
  Bytes result(text);
  UpperAsciiInPlace(result);
  return result;
}

std::size_t FindSingleByte(BytesView text, char ch, std::size_t from) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    if (i >= from && text[i] == ch) return i;
  }
  return BytesView::npos;
}

}  // namespace qvn
