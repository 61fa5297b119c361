#include "compiler/utf8_source.h"

#include "compiler/source_lines.h"

namespace qvn {

std::optional<Utf8Source> Utf8Source::Convert(BytesView source, bool certain) {
  Utf8Source converted;
  converted.source_ = source;
  converted.lines_.reserve(source.size());
  Utf8LineConverter converter;
  Bytes line;
  // One pass finds the lines, converts them and checks that they are UTF-8.
  std::size_t position = 0;
  while (position < source.size() && source[position] != '\x1A') {
    converted.starts_.push_back(static_cast<std::uint32_t>(position));
    std::size_t length = 0;
    auto bad = converter.ConvertLine(source.substr(position), line, length);
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
      converted.lines_ += line;
      converted.lines_ += '\n';
      // The compile stops at this line; the rest only has to be UTF-8.
      if (!certain && !IsValidUtf8(source.substr(position + length))) return std::nullopt;
      break;
    }
    converted.lines_ += line;
    converted.lines_ += '\n';
    position += length;
    if (position < source.size() && source[position] == '\r') ++position;
    if (position < source.size() && source[position] == '\n') ++position;
  }
  return converted;
}

std::string_view Utf8Source::AsWritten(int number) const {
  if (number < 1 || static_cast<std::size_t>(number) > starts_.size()) return {};
  SourceLines lines(source_.substr(starts_[static_cast<std::size_t>(number) - 1]));
  return lines.NextWhole();
}

}  // namespace qvn
