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

namespace qvn {

class EditableSource {
 public:
  // Lines end at CR LF, CR or LF.
  static EditableSource FromBytes(BytesView source);

  // UTF-8, lines separated by "\n".
  const std::string& text() const { return text_; }

  // The edited text (lines separated by "\n") as CP932 with CR LF after each
  // line; an empty text is an empty file.
  Bytes ToBytes(std::string_view edited_utf8) const;

 private:
  std::string text_;
  std::unordered_map<std::string, std::vector<Bytes>> original_lines_;
};

// One line's bytes as editor text, and back (no line breaks involved).
std::string SourceLineToText(BytesView line);
Bytes TextToSourceLine(std::string_view utf8);

}  // namespace qvn
