#include "runtime/variable_substitution.h"

namespace qvn {

Bytes SubstituteVariables(BytesView line, const StringVariables& variables) {
  Bytes out;
  out.reserve(line.size() + 16);
  // Whole runs without "%" are copied at once: most lines hold none.
  std::size_t i = 0;
  while (i < line.size() && out.size() < kMaxLineBytes) {
    std::size_t percent = line.find('%', i);
    if (percent == BytesView::npos) {
      out.append(line.substr(i));
      break;
    }
    out.append(line.substr(i, percent - i));
    char digit = percent + 1 < line.size() ? line[percent + 1] : '\0';
    if (digit >= '1' && digit <= '9') {
      out.append(variables[digit - '1'].value);
      i = percent + 2;
    } else {
      out.push_back('%');
      i = percent + 1;
    }
  }
  if (out.size() > kMaxLineBytes) out.resize(kMaxLineBytes);
  return out;
}

}  // namespace qvn
