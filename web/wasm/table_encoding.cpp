// CP932 and UTF-8 in the web reader, through tables generated at build time
// from the host's iconv: the same text as common/encoding.cpp gives there,
// replacement characters included.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "common/cp932_decoder.h"
#include "common/encoding.h"

// The test builds this file beside common/encoding.cpp under another name.
#ifndef QVN_TABLE_ENCODING_NAMESPACE
#define QVN_TABLE_ENCODING_NAMESPACE qvn
#endif

namespace QVN_TABLE_ENCODING_NAMESPACE {

using qvn::Bytes;
using qvn::BytesView;

namespace {

// Every CP932 character lies in the Basic Multilingual Plane.
struct Cp932Pair {
  std::uint16_t from;
  std::uint16_t to;
};

#include "cp932_table.inc"

// The value `key` maps to in a table sorted by `from`, or -1.
long Lookup(const Cp932Pair* table, std::size_t size, std::uint32_t key) {
  if (key > 0xFFFF) return -1;
  const Cp932Pair* end = table + size;
  const Cp932Pair* at = std::lower_bound(
      table, end, key, [](const Cp932Pair& p, std::uint32_t k) { return p.from < k; });
  return at != end && at->from == key ? long(at->to) : -1;
}

long Decode(std::uint32_t code) {
  return Lookup(kCp932ToUnicode, std::size(kCp932ToUnicode), code);
}

// Character to code: the lowest code of each character the table reads,
// but where iconv writes another code or none (0). Built once from the
// tables the page carries.
std::vector<Cp932Pair> BuildEncodeTable() {
  auto by_character = [](const Cp932Pair& a, const Cp932Pair& b) { return a.from < b.from; };
  auto same_character = [](const Cp932Pair& a, const Cp932Pair& b) { return a.from == b.from; };
  // Exceptions first: the stable sort and the unique keep them.
  std::vector<Cp932Pair> table(std::begin(kUnicodeToCp932Exceptions),
                               std::end(kUnicodeToCp932Exceptions));
  table.reserve(table.size() + std::size(kCp932ToUnicode));
  for (const Cp932Pair& pair : kCp932ToUnicode) table.push_back({pair.to, pair.from});
  std::stable_sort(table.begin(), table.end(), by_character);
  table.erase(std::unique(table.begin(), table.end(), same_character), table.end());
  std::erase_if(table, [](const Cp932Pair& pair) { return pair.to == 0 && pair.from != 0; });
  return table;
}

long Encode(std::uint32_t cp) {
  static const std::vector<Cp932Pair> table = BuildEncodeTable();
  return Lookup(table.data(), table.size(), cp);
}

bool IsLeadByte(unsigned char byte) {
  return std::find(std::begin(kCp932LeadBytes), std::end(kCp932LeadBytes), byte) !=
         std::end(kCp932LeadBytes);
}

void AppendCodePoint(std::uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// One well-formed UTF-8 character at the start of `text`: its code point and
// length, or length 0 when the bytes begin none.
std::pair<std::uint32_t, std::size_t> NextCodePoint(std::string_view text) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (n == 0 || lead > 0xF4 || text.size() < n) return {0, 0};
  std::uint32_t cp = lead & (0x7F >> n);
  for (std::size_t i = 1; i < n; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {0, 0};
    cp = (cp << 6) | (byte(i) & 0x3F);
  }
  static constexpr std::uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
  return {cp, n};
}

std::size_t Utf8SequenceLength(std::string_view rest) {
  auto lead = static_cast<unsigned char>(rest[0]);
  std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  std::size_t i = 1;
  while (i < n && i < rest.size() && (static_cast<unsigned char>(rest[i]) & 0xC0) == 0x80) ++i;
  return i;
}

void AppendCp932AsUtf8(BytesView cp932, std::string& out) {
  for (std::size_t i = 0; i < cp932.size();) {
    auto byte = static_cast<unsigned char>(cp932[i]);
    long cp = Decode(byte);
    std::size_t used = 1;
    if (cp < 0 && IsLeadByte(byte) && i + 1 < cp932.size()) {
      cp = Decode((std::uint32_t(byte) << 8) | static_cast<unsigned char>(cp932[i + 1]));
      if (cp >= 0) used = 2;
    }
    if (cp < 0)
      out.append("\xEF\xBF\xBD");
    else
      AppendCodePoint(static_cast<std::uint32_t>(cp), out);
    i += used;
  }
}

}  // namespace

std::string Cp932ToUtf8(BytesView cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2 + 4);
  AppendCp932AsUtf8(cp932, out);
  return out;
}

Bytes Utf8ToCp932(std::string_view utf8) {
  Bytes out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    auto [cp, length] = NextCodePoint(utf8);
    long code = length ? Encode(cp) : -1;
    if (code < 0) {
      out.push_back('?');
      utf8.remove_prefix(length ? length : Utf8SequenceLength(utf8));
      continue;
    }
    if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
    utf8.remove_prefix(length);
  }
  return out;
}

}  // namespace QVN_TABLE_ENCODING_NAMESPACE

#ifndef QVN_TABLE_ENCODING_TEST
namespace qvn {

Cp932Decoder::Cp932Decoder() : converter_(nullptr) {}
Cp932Decoder::~Cp932Decoder() = default;
void Cp932Decoder::AppendUtf8(BytesView cp932, std::string& out) {
  AppendCp932AsUtf8(cp932, out);
}

}  // namespace qvn
#endif
