#include "common/encoding_source.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace qvn {

namespace {

char LowerAscii(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch;
}

bool NameIs(std::string_view name, std::string_view expected) {
  if (name.size() != expected.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (LowerAscii(name[i]) != expected[i]) return false;
  return true;
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the well-formed character at the start of `text` and its
// value, or 0 when it is not one.
std::size_t DecodeCharacter(std::string_view text, char32_t& code) {
  auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = at(0);
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  std::size_t length;
  char32_t min;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(at(i))) return 0;
    code = (code << 6) | (at(i) & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::optional<SourceEncoding> ParseSourceEncoding(std::string_view name) {
  if (NameIs(name, "auto")) return SourceEncoding::kAuto;
  if (NameIs(name, "cp932") || NameIs(name, "shift-jis") || NameIs(name, "sjis"))
    return SourceEncoding::kCp932;
  if (NameIs(name, "utf-8") || NameIs(name, "utf8")) return SourceEncoding::kUtf8;
  return std::nullopt;
}

const char* SourceEncodingName(SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kCp932:
      return "cp932";
    case SourceEncoding::kUtf8:
      return "utf-8";
    case SourceEncoding::kAuto:
      break;
  }
  return "auto";
}

bool IsValidUtf8(BytesView text) {
  std::size_t i = 0;
  while (i < text.size()) {
    // Eight ASCII bytes at a time: most of a story is ASCII.
    if (i + 8 <= text.size()) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + i, 8);
      if ((word & 0x8080808080808080ull) == 0) {
        i += 8;
        continue;
      }
    }
    auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    // Kana and kanji: three bytes that can be neither overlong nor surrogates.
    if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && i + 2 < text.size() &&
        IsContinuation(static_cast<unsigned char>(text[i + 1])) &&
        IsContinuation(static_cast<unsigned char>(text[i + 2]))) {
      i += 3;
      continue;
    }
    char32_t code;
    std::size_t length = DecodeCharacter(text.substr(i), code);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string ShowableUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t code;
    std::size_t length = DecodeCharacter(text.substr(i), code);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

SourceEncoding DecideSourceEncoding(BytesView source, SourceEncoding requested) {
  if (requested != SourceEncoding::kAuto) return requested;
  if (StartsWith(source, kUtf8Bom)) return SourceEncoding::kUtf8;
  bool non_ascii = false;
  for (char ch : source) {
    if (static_cast<unsigned char>(ch) >= 0x80) {
      non_ascii = true;
      break;
    }
  }
  return non_ascii && IsValidUtf8(source) ? SourceEncoding::kUtf8 : SourceEncoding::kCp932;
}

// Each character is converted by iconv once and remembered: a story uses a
// few thousand characters, so the table spares nearly every iconv call.
struct Utf8LineConverter::Handle {
  static constexpr std::uint16_t kUnknown = 0;
  static constexpr std::uint16_t kNone = 0xFFFF;

  iconv_t cd = reinterpret_cast<iconv_t>(-1);
  std::vector<std::uint16_t> table = std::vector<std::uint16_t>(0x10000, kUnknown);

  ~Handle() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }

  // The CP932 code of one character given by its UTF-8 bytes: one byte
  // (below 0x100), two bytes (lead << 8 | trail), or kNone.
  std::uint16_t Ask(std::string_view character) {
    if (cd == reinterpret_cast<iconv_t>(-1)) return kNone;
    char* in_ptr = const_cast<char*>(character.data());
    std::size_t in_left = character.size();
    char buffer[8];
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    std::size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::size_t n = static_cast<std::size_t>(out_ptr - buffer);
    if (rc == static_cast<std::size_t>(-1) || in_left != 0) return kNone;
    auto byte = [&](std::size_t i) {
      return static_cast<std::uint16_t>(static_cast<unsigned char>(buffer[i]));
    };
    if (n == 1) return byte(0);
    if (n == 2 && byte(0) != 0) return static_cast<std::uint16_t>(byte(0) << 8 | byte(1));
    return kNone;
  }

  std::uint16_t Lookup(char32_t code, std::string_view character) {
    if (code > 0xFFFF) return Ask(character);
    std::uint16_t& known = table[code];
    if (known == kUnknown) known = Ask(character);
    return known;
  }
};

Utf8LineConverter::Utf8LineConverter() : handle_(std::make_unique<Handle>()) {
  handle_->cd = iconv_open("CP932", "UTF-8");
}

Utf8LineConverter::~Utf8LineConverter() = default;

std::optional<Unconvertible> Utf8LineConverter::Convert(std::string_view line, Bytes& out,
                                                        std::size_t limit) {
  std::size_t length = 0;
  auto bad = ConvertLine(line, out, length, limit);
  // A line given whole holds no break, and what lies past the limit does not
  // count here.
  if (bad && bad->past_limit) return std::nullopt;
  return bad;
}

std::optional<Unconvertible> Utf8LineConverter::ConvertLine(std::string_view text, Bytes& out,
                                                            std::size_t& length,
                                                            std::size_t limit) {
  // CP932 never takes more bytes than UTF-8 for a character, so the text's
  // size (and the limit) bounds the output.
  out.resize(text.size() < limit ? text.size() : limit);
  std::size_t written = 0;
  auto bad = ConvertLineInto(text, out.data(), limit, length, written);
  out.resize(written);
  return bad;
}

std::optional<Unconvertible> Utf8LineConverter::ConvertLineInto(std::string_view text, char* to,
                                                                std::size_t limit,
                                                                std::size_t& length,
                                                                std::size_t& written) {
  char* const first = to;
  char* const end = first + (text.size() < limit ? text.size() : limit);
  const auto* from = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::size_t i = 0;
  auto fail = [&](unsigned char lead, std::size_t decoded, char32_t code) {
    bool past_limit = static_cast<std::size_t>(to - first) >= limit;
    written = static_cast<std::size_t>(to - first);
    length = i;
    Unconvertible bad;
    bad.byte_column = static_cast<int>(i) + 1;
    bad.character_column = 1;
    for (std::size_t k = 0; k < i; ++k)
      if ((from[k] & 0xC0) != 0x80) ++bad.character_column;
    bad.invalid_utf8 = decoded == 0;
    bad.byte = lead;
    bad.code = code;
    bad.past_limit = past_limit;
    return bad;
  };
  while (i < size) {
    unsigned char lead = from[i];
    if (lead < 0x80) {
      if (lead == '\r' || lead == '\n' || lead == 0x1A) break;
      // A run of ASCII goes over as it is, up to the limit.
      std::size_t run = 1;
      constexpr std::uint64_t kOnes = 0x0101010101010101ull;
      while (i + run + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, from + i + run, 8);
        // Stops at a control byte (below 0x20) or a byte above 0x7F.
        if ((((word - kOnes * 0x20) & ~word) | word) & (kOnes * 0x80)) break;
        run += 8;
      }
      while (i + run < size && from[i + run] >= 0x20 && from[i + run] < 0x80) ++run;
      std::size_t room = static_cast<std::size_t>(end - to);
      std::size_t copied = run < room ? run : room;
      std::memcpy(to, from + i, copied);
      to += copied;
      i += run;
      continue;
    }
    char32_t code = 0;
    std::size_t decoded;
    // Kana and kanji take three bytes; decode them here, the rest in full.
    if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && i + 2 < size &&
        (from[i + 1] & 0xC0) == 0x80 && (from[i + 2] & 0xC0) == 0x80) {
      code = (char32_t(lead & 0x0F) << 12) | (char32_t(from[i + 1] & 0x3F) << 6) |
             (from[i + 2] & 0x3F);
      decoded = 3;
    } else {
      decoded = DecodeCharacter(text.substr(i), code);
    }
    if (decoded == 0) return fail(lead, decoded, code);
    if (to < end) {
      std::uint16_t cp932 = handle_->Lookup(code, text.substr(i, decoded));
      if (cp932 == Handle::kNone) return fail(lead, decoded, code);
      // The cut at the limit may split a double-byte character.
      if (cp932 >= 0x100) *to++ = static_cast<char>(cp932 >> 8);
      if (to < end) *to++ = static_cast<char>(cp932 & 0xFF);
    }
    i += decoded;
  }
  written = static_cast<std::size_t>(to - first);
  length = i;
  return std::nullopt;
}

}  // namespace qvn
