#include "common/cp932_decoder.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace qvn {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// The length of the run of bytes below 0x80 at the start of `text`, found
// eight bytes at a time.
std::size_t AsciiRun(const char* text, std::size_t size) {
  std::size_t n = 0;
  for (std::uint64_t word; n + 8 <= size; n += 8) {
    std::memcpy(&word, text + n, 8);
    if (word & kHighBits) break;
  }
  while (n < size && static_cast<unsigned char>(text[n]) < 0x80) ++n;
  return n;
}

}  // namespace

Cp932Decoder::Cp932Decoder() {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  converter_ = cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd;
  for (int byte = 0; byte < 0x80; ++byte) {
    const Entry& entry = Single(static_cast<unsigned char>(byte));
    if (entry.kind != Entry::kCharacter || entry.size != 1 ||
        entry.utf8[0] != static_cast<char>(byte))
      ascii_is_itself_ = false;
  }
}

Cp932Decoder::~Cp932Decoder() {
  if (converter_) iconv_close(static_cast<iconv_t>(converter_));
}

Cp932Decoder::Entry Cp932Decoder::Convert(BytesView bytes) {
  Entry entry;
  if (!converter_) {
    // As Cp932ToUtf8 without a converter: ASCII passes, the rest is replaced.
    bool ascii = bytes.size() == 1 && static_cast<unsigned char>(bytes[0]) < 0x80;
    entry.kind = ascii ? Entry::kCharacter : Entry::kInvalid;
    entry.size = ascii ? 1 : 0;
    entry.utf8[0] = bytes[0];
    return entry;
  }
  auto cd = static_cast<iconv_t>(converter_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char buffer[16];
  char* out = buffer;
  std::size_t out_left = sizeof buffer;
  std::size_t rc = iconv(cd, &in, &in_left, &out, &out_left);
  auto size = static_cast<std::size_t>(out - buffer);
  if (rc != static_cast<std::size_t>(-1) && in_left == 0 && size > 0 && size <= sizeof entry.utf8) {
    entry.kind = Entry::kCharacter;
    entry.size = static_cast<unsigned char>(size);
    for (std::size_t i = 0; i < size; ++i) entry.utf8[i] = buffer[i];
  } else if (rc == static_cast<std::size_t>(-1) && errno == EINVAL && bytes.size() == 1) {
    entry.kind = Entry::kLeadByte;  // the first byte of a pair
  } else {
    entry.kind = Entry::kInvalid;
  }
  return entry;
}

const Cp932Decoder::Entry& Cp932Decoder::Single(unsigned char byte) {
  Entry& entry = singles_[byte];
  if (entry.kind == Entry::kUnknown) {
    char text = static_cast<char>(byte);
    entry = Convert(BytesView(&text, 1));
  }
  return entry;
}

const Cp932Decoder::Entry& Cp932Decoder::Pair(unsigned char lead, unsigned char trail) {
  std::unique_ptr<Row>& row = pairs_[lead];
  if (!row) row = std::make_unique<Row>();
  Entry& entry = (*row)[trail];
  if (entry.kind == Entry::kUnknown) {
    char text[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    entry = Convert(BytesView(text, 2));
  }
  return entry;
}

void Cp932Decoder::AppendUtf8(BytesView cp932, std::string& out) {
  // One byte gives at most three bytes of UTF-8 (a one-byte katakana, or the
  // replacement character), two bytes at most three.
  std::size_t start = out.size();
  out.resize(start + cp932.size() * 3);
  char* to = out.data() + start;
  auto put = [&to](const Entry& entry) {
    for (unsigned char k = 0; k < entry.size; ++k) *to++ = entry.utf8[k];
  };
  std::size_t i = 0;
  while (i < cp932.size()) {
    auto byte = static_cast<unsigned char>(cp932[i]);
    if (byte < 0x80 && ascii_is_itself_) {
      std::size_t run = AsciiRun(cp932.data() + i, cp932.size() - i);
      std::memcpy(to, cp932.data() + i, run);
      to += run;
      i += run;
      continue;
    }
    const Entry& single = singles_[byte].kind != Entry::kUnknown ? singles_[byte] : Single(byte);
    if (single.kind == Entry::kCharacter) {
      put(single);
      ++i;
      continue;
    }
    if (single.kind == Entry::kLeadByte && i + 1 < cp932.size()) {
      auto trail = static_cast<unsigned char>(cp932[i + 1]);
      const Row* row = pairs_[byte].get();
      const Entry& pair =
          row && (*row)[trail].kind != Entry::kUnknown ? (*row)[trail] : Pair(byte, trail);
      if (pair.kind == Entry::kCharacter) {
        put(pair);
        i += 2;
        continue;
      }
    }
    // As Cp932ToUtf8: the byte that cannot start a character is replaced and
    // the conversion goes on after it.
    for (char ch : kReplacement) *to++ = ch;
    ++i;
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
}

}  // namespace qvn
