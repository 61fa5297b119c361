#pragma once
// Story sources written in UTF-8: which encoding a source is in, and its lines
// turned into the CP932 bytes the compiler works on, one line at a time.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/bytes.h"

namespace qvn {

enum class SourceEncoding { kAuto, kCp932, kUtf8 };

// "auto", "cp932" (also "shift-jis", "sjis") or "utf-8" (also "utf8"), any
// letter case; nullopt for anything else.
std::optional<SourceEncoding> ParseSourceEncoding(std::string_view name);
// The canonical name: "auto", "cp932" or "utf-8".
const char* SourceEncodingName(SourceEncoding encoding);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Well-formed UTF-8 (no overlong forms, surrogates or values above U+10FFFF).
bool IsValidUtf8(BytesView text);

// `text` with every byte that begins no well-formed character replaced by
// U+FFFD, so that it can be shown.
std::string ShowableUtf8(std::string_view text);

// kAuto is decided here: UTF-8 when the source starts with a byte-order mark,
// or is valid UTF-8 and holds at least one byte above 0x7F; otherwise CP932,
// so a pure-ASCII source reads the same either way.
SourceEncoding DecideSourceEncoding(BytesView source, SourceEncoding requested);

// Why a UTF-8 line could not become CP932.
struct Unconvertible {
  bool invalid_utf8 = false;  // a byte that does not begin a valid character
  char32_t code = 0;          // the character CP932 lacks (when valid)
  unsigned char byte = 0;     // the offending byte (when invalid)
  int character_column = 0;   // 1-based, in characters of the line as written
  int byte_column = 0;        // 1-based, in bytes of the line as written
  bool past_limit = false;    // beyond the bytes that count
};

// Converts UTF-8 lines (without their line break) to CP932, keeping one
// converter open for a whole source.
class Utf8LineConverter {
 public:
  Utf8LineConverter();
  ~Utf8LineConverter();
  Utf8LineConverter(const Utf8LineConverter&) = delete;
  Utf8LineConverter& operator=(const Utf8LineConverter&) = delete;

  // Writes the CP932 bytes of `line` into `out` (replacing its content),
  // stopping once `limit` bytes are out: what lies beyond does not count.
  // On a character that cannot be converted before the limit, `out` holds
  // what came before it and the reason is returned.
  std::optional<Unconvertible> Convert(std::string_view line, Bytes& out,
                                       std::size_t limit = kMaxLineBytes);

  // The same for the first line of `text`, which ends at its first CR, LF or
  // 0x1A; `length` is set to that line's length. Past the limit the rest of
  // the line is only checked to be UTF-8 (a failure there has `past_limit`);
  // on a failure `length` is where the bad character begins.
  // The same into `to`, which has room for the limit or the text's size,
  // whichever is less; `written` is set to the bytes written.
  std::optional<Unconvertible> ConvertLineInto(std::string_view text, char* to, std::size_t limit,
                                               std::size_t& length, std::size_t& written);
  std::optional<Unconvertible> ConvertLine(std::string_view text, Bytes& out, std::size_t& length,
                                           std::size_t limit = kMaxLineBytes);

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace qvn
