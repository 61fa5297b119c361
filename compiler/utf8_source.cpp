#include "compiler/utf8_source.h"

#include "compiler/source_lines.h"

namespace qvn {

std::optional<Utf8Source> Utf8Source::Convert(BytesView source, bool certain) {
  Utf8Source converted;
  converted.source_ = source;
  // A line never grows in CP932 and its LF takes the place of its break; only
  // a last line without a break needs one byte more. Written in place, so
  // no line is copied twice.
  converted.lines_.resize(source.size() + 1);
  char* const out = converted.lines_.data();
  std::size_t out_size = 0;
  Utf8LineConverter converter;
  // One pass finds the lines, converts them and checks that they are UTF-8.
  std::size_t position = 0;
  while (position < source.size() && source[position] != '\x1A') {
    converted.starts_.push_back(static_cast<std::uint32_t>(position));
    std::size_t length = 0;
    std::size_t written = 0;
    auto bad = converter.ConvertLineInto(source.substr(position), out + out_size, kMaxLineBytes,
                                         length, written);
    out_size += written;
    out[out_size++] = '\n';
    if (bad) {
      if (bad->invalid_utf8 && !certain) return std::nullopt;
      // The rest of the line, from the bad character on.
      SourceLines rest(source.substr(position + length));
      length += rest.NextWhole().size();
      if (bad->past_limit) bad.reset();  // beyond the bytes that count
    }
    if (bad) {
      converted.failed_line_ = static_cast<int>(converted.starts_.size());
      converted.failure_ = *bad;
      // The compile stops at this line; the rest only has to be UTF-8.
      if (!certain && !IsValidUtf8(source.substr(position + length))) return std::nullopt;
      break;
    }
    position += length;
    if (position < source.size() && source[position] == '\r') ++position;
    if (position < source.size() && source[position] == '\n') ++position;
  }
  converted.lines_.resize(out_size);
  return converted;
}

std::string_view Utf8Source::AsWritten(int number) const {
  if (number < 1 || static_cast<std::size_t>(number) > starts_.size()) return {};
  SourceLines lines(source_.substr(starts_[static_cast<std::size_t>(number) - 1]));
  return lines.NextWhole();
}

}  // namespace qvn
