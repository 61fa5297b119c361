#pragma once
// CP932 to UTF-8 for much text, such as every page of a long play: each
// character is converted by iconv once and then looked up, which is many
// times faster than iconv on every byte. The text is the same as
// Cp932ToUtf8 gives, replacement characters included.
#include <array>
#include <memory>
#include <string>

#include "common/bytes.h"

namespace qvn {

class Cp932Decoder {
 public:
  Cp932Decoder();
  ~Cp932Decoder();
  Cp932Decoder(const Cp932Decoder&) = delete;
  Cp932Decoder& operator=(const Cp932Decoder&) = delete;

  // Appends the UTF-8 text of `cp932` to `out`.
  void AppendUtf8(BytesView cp932, std::string& out);

 private:
  // What one byte, or one pair of bytes, converts to.
  struct Entry {
    enum Kind : unsigned char { kUnknown, kCharacter, kLeadByte, kInvalid };
    Kind kind = kUnknown;
    unsigned char size = 0;
    char utf8[6] = {};
  };
  using Row = std::array<Entry, 256>;

  Entry Convert(BytesView bytes);
  const Entry& Single(unsigned char byte);
  const Entry& Pair(unsigned char lead, unsigned char trail);

  void* converter_;              // iconv_t; null when the system has no CP932 converter
  bool ascii_is_itself_ = true;  // checked once: the usual case is copied
  std::array<Entry, 256> singles_{};
  std::array<std::unique_ptr<Row>, 256> pairs_{};  // by lead byte, built when first met
};

}  // namespace qvn
