#include "browser/spoken_page.h"

#include "browser/qt_text.h"
#include "runtime/messages.h"

namespace qvn {

namespace {

// The lines the runtime wrote for the choices, when the page ends with them
// exactly as it writes them; 0 otherwise, so that no text is ever lost.
std::size_t ChoiceLines(const std::vector<Bytes>& lines, const std::vector<Bytes>& captions) {
  const std::size_t count = captions.size();
  if (count == 1) {
    if (captions[0].empty() || lines.empty()) return 0;
    Bytes line = messages::IdeographicSpace();
    line.append(captions[0]);
    return lines.back() == CutBytes(line, kMaxLineBytes) ? 1 : 0;
  }
  if (count < 2 || lines.size() < count + 1) return 0;
  const std::size_t first = lines.size() - count;
  if (lines[first - 1] != " ") return 0;
  for (std::size_t k = 0; k < count; ++k) {
    Bytes line = " ";
    line.push_back(static_cast<char>('A' + k));
    line.append(": ").append(captions[k]);
    if (lines[first + k] != CutBytes(line, kMaxLineBytes)) return 0;
  }
  return count + 1;
}

}  // namespace

QStringList SpokenPage(const std::vector<Bytes>& lines, const std::vector<Bytes>& captions) {
  const std::size_t text_lines = lines.size() - ChoiceLines(lines, captions);
  QStringList text;
  for (std::size_t i = 0; i < text_lines; ++i) text.append(FromCp932(lines[i]).trimmed());
  QStringList spoken;
  spoken.append(text.join('\n').trimmed());
  if (captions.size() == 1) {
    spoken.append(FromCp932(captions[0]));
  } else {
    for (std::size_t k = 0; k < captions.size(); ++k)
      spoken.append(QString(QChar(static_cast<char16_t>('A' + k))) + ": " + FromCp932(captions[k]));
  }
  return spoken;
}

}  // namespace qvn
