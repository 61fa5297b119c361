#include "workbench/editable_source.h"

#include <algorithm>
#include <vector>

#include "common/encoding.h"
#include "common/encoding_source.h"
#include "common/sjis.h"

namespace qvn {

namespace {

// U+F700 + byte: outside the range CP932 maps its user-defined characters to.
constexpr char32_t kEscapeBase = 0xF700;

bool IsControl(unsigned char byte) {
  return (byte < 0x20 && byte != '\t') || byte == 0x7F;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

void AppendEscaped(std::string& out, unsigned char byte) {
  AppendUtf8(out, kEscapeBase + byte);
}

bool HasControl(BytesView line) {
  for (char ch : line)
    if (IsControl(static_cast<unsigned char>(ch))) return true;
  return false;
}

std::vector<BytesView> SplitLines(BytesView source) {
  std::vector<BytesView> lines;
  std::size_t start = 0;
  while (start < source.size()) {
    std::size_t end = source.find_first_of("\r\n", start);
    if (end == BytesView::npos) {
      lines.push_back(source.substr(start));
      break;
    }
    lines.push_back(source.substr(start, end - start));
    if (source[end] == '\r' && end + 1 < source.size() && source[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string SourceLineToText(BytesView line) {
  std::string whole = Cp932ToUtf8(line);
  if (!HasControl(line) && Utf8ToCp932(whole) == line) return whole;
  // Character by character: what does not convert is carried as escapes.
  std::string out;
  std::size_t i = 0;
  while (i < line.size()) {
    auto byte = static_cast<unsigned char>(line[i]);
    std::size_t length = (IsLeadByte(byte) && i + 1 < line.size()) ? 2 : 1;
    BytesView character = line.substr(i, length);
    std::string converted = IsControl(byte) ? std::string() : Cp932ToUtf8(character);
    // A character CP932 also spells another way is kept as text; only what
    // does not convert at all is escaped.
    Bytes back = Utf8ToCp932(converted);
    bool is_text = !converted.empty() && converted.find("\xEF\xBF\xBD") == std::string::npos &&
                   (back == character || back.find('?') == Bytes::npos);
    if (is_text) {
      out += converted;
    } else {
      AppendEscaped(out, byte);
      length = 1;  // a bad lead byte may still be followed by a good character
    }
    i += length;
  }
  return out;
}

std::string Utf8SourceLineToText(BytesView line) {
  if (!HasControl(line) && IsValidUtf8(line)) return std::string(line);
  // Bytes that begin no character, and control bytes, travel as escapes.
  std::string out;
  std::size_t i = 0;
  while (i < line.size()) {
    auto byte = static_cast<unsigned char>(line[i]);
    std::size_t length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    BytesView character = line.substr(i, length);
    if (IsControl(byte) || character.size() != length || !IsValidUtf8(character)) {
      AppendEscaped(out, byte);
      ++i;
      continue;
    }
    out.append(character);
    i += length;
  }
  return out;
}

// Escapes back to their bytes; the text between them in CP932 or as it is.
static Bytes TextToLine(std::string_view utf8, bool cp932) {
  auto convert = [cp932](std::string_view run) { return cp932 ? Utf8ToCp932(run) : Bytes(run); };
  Bytes out;
  std::size_t run_start = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    // An escape is the three bytes EF 9C 80 to EF 9F BF (U+F700 to U+F7FF).
    if (lead == 0xEF && i + 2 < utf8.size()) {
      auto second = static_cast<unsigned char>(utf8[i + 1]);
      auto third = static_cast<unsigned char>(utf8[i + 2]);
      char32_t code = ((lead & 0x0F) << 12) | ((second & 0x3F) << 6) | (third & 0x3F);
      if ((second & 0xC0) == 0x80 && (third & 0xC0) == 0x80 && code >= kEscapeBase &&
          code <= kEscapeBase + 0xFF) {
        out += convert(utf8.substr(run_start, i - run_start));
        out.push_back(static_cast<char>(code - kEscapeBase));
        i += 3;
        run_start = i;
        continue;
      }
    }
    ++i;
  }
  out += convert(utf8.substr(run_start));
  return out;
}

Bytes TextToUtf8SourceLine(std::string_view utf8) {
  return TextToLine(utf8, false);
}

Bytes TextToSourceLine(std::string_view utf8) {
  return TextToLine(utf8, true);
}

EditableSource EditableSource::FromBytes(BytesView source, SourceEncoding encoding) {
  EditableSource editable;
  editable.utf8_ = DecideSourceEncoding(source, encoding) == SourceEncoding::kUtf8;
  if (editable.utf8_) {
    editable.bom_ = StartsWith(source, kUtf8Bom);
    if (editable.bom_) source.remove_prefix(kUtf8Bom.size());
    std::size_t first_break = source.find_first_of("\r\n");
    if (first_break != BytesView::npos && source[first_break] == '\n')
      editable.line_break_.assign(1, '\n');
    if (first_break != BytesView::npos && source[first_break] == '\r' &&
        source.substr(first_break + 1, 1) != "\n")
      editable.line_break_.assign(1, '\r');
    editable.last_line_ended_ = source.empty() || source.back() == '\n' || source.back() == '\r';
  }
  bool first = true;
  for (BytesView line : SplitLines(source)) {
    std::string text = editable.utf8_ ? Utf8SourceLineToText(line) : SourceLineToText(line);
    if (!first) editable.text_ += '\n';
    editable.text_ += text;
    editable.original_lines_[text].emplace_back(line);
    first = false;
  }
  return editable;
}

Bytes EditableSource::ToBytes(std::string_view edited_utf8) const {
  Bytes out;
  if (edited_utf8.empty()) return out;
  if (bom_) out += kUtf8Bom;
  // Lines of the same text may have had different bytes: they are handed out
  // in their original order, the last one again when the text has more.
  std::unordered_map<std::string, std::size_t> used;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = edited_utf8.find('\n', start);
    std::string_view line = edited_utf8.substr(
        start, end == std::string_view::npos ? std::string_view::npos : end - start);
    auto original = original_lines_.find(std::string(line));
    if (original == original_lines_.end()) {
      out += utf8_ ? TextToUtf8SourceLine(line) : TextToSourceLine(line);
    } else {
      std::size_t& next = used[original->first];
      out += original->second[std::min(next, original->second.size() - 1)];
      ++next;
    }
    if (end == std::string_view::npos) {
      if (last_line_ended_) out += line_break_;
      break;
    }
    out += line_break_;
    start = end + 1;
  }
  return out;
}

}  // namespace qvn
