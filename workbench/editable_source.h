#pragma once
// A source file as text for the built-in editor, and the text back as bytes.
// Saving must not damage what the author did not touch: lines that come back
// unchanged get their original bytes, and bytes that are not CP932 text (or
// are control characters a text widget would drop) travel through the editor
// as private-use characters, so even an edited line keeps them.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/bytes.h"
#include "common/encoding_source.h"

namespace qvn {

class EditableSource {
 public:
  // Lines end at CR LF, CR or LF. The source is read in `encoding` (auto
  // decides as the compiler does); a UTF-8 source is saved as UTF-8 again,
  // with its byte-order mark if it had one, its kind of line break and its
  // last line ended or not as before.
  static EditableSource FromBytes(BytesView source,
                                  SourceEncoding encoding = SourceEncoding::kCp932);

  bool IsUtf8() const { return utf8_; }

  // UTF-8, lines separated by "\n".
  const std::string& text() const { return text_; }

  // The edited text (lines separated by "\n") as CP932 with CR LF after each
  // line (a UTF-8 source: as said above); an empty text is an empty file.
  Bytes ToBytes(std::string_view edited_utf8) const;

 private:
  std::string text_;
  bool utf8_ = false;
  bool bom_ = false;
  Bytes line_break_ = "\r\n";
  bool last_line_ended_ = true;
  std::unordered_map<std::string, std::vector<Bytes>> original_lines_;
};

// One line's bytes as editor text, and back (no line breaks involved).
std::string SourceLineToText(BytesView line);
Bytes TextToSourceLine(std::string_view utf8);
// The same for the lines of a UTF-8 source.
std::string Utf8SourceLineToText(BytesView line);
Bytes TextToUtf8SourceLine(std::string_view utf8);

}  // namespace qvn
