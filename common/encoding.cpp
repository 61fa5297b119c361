#include "common/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace qvn {

namespace {

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle OpenConverter(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return IconvHandle(cd);
}

// Converts `input`; on a byte sequence the converter refuses, appends
// `replacement` and skips `skip(rest)` bytes, then goes on.
template <typename SkipFn>
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, SkipFn skip) {
  std::string out;
  IconvHandle handle = OpenConverter(to, from);
  if (!handle) {
    // No converter: pass ASCII through, replace the rest.
    for (char ch : input) {
      if (static_cast<unsigned char>(ch) < 0x80)
        out.push_back(ch);
      else
        out.append(replacement);
    }
    return out;
  }
  auto cd = static_cast<iconv_t>(handle.get());
  out.reserve(input.size() * 3 / 2 + 4);
  char* in_ptr = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  char buffer[1024];
  while (in_left > 0) {
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    std::size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: an invalid or truncated sequence.
    std::size_t n = skip(std::string_view(in_ptr, in_left));
    out.append(replacement);
    in_ptr += n;
    in_left -= n;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

std::size_t Utf8SequenceLength(std::string_view rest) {
  auto lead = static_cast<unsigned char>(rest[0]);
  std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  std::size_t i = 1;
  while (i < n && i < rest.size() && (static_cast<unsigned char>(rest[i]) & 0xC0) == 0x80) ++i;
  return i;
}

}  // namespace

std::string Cp932ToUtf8(BytesView cp932) {
  return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", [](std::string_view) { return 1; });
}

Bytes Utf8ToCp932(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8, "?", Utf8SequenceLength);
}

}  // namespace qvn
