#include "runtime/variable_substitution.h"

namespace qvn {

Bytes SubstituteVariables(BytesView line, const StringVariables& variables) {
  Bytes out;
  out.reserve(line.size());
  for (std::size_t i = 0; i < line.size() && out.size() < kMaxLineBytes; ++i) {
    char digit = i + 1 < line.size() ? line[i + 1] : '\0';
    if (line[i] == '%' && digit >= '1' && digit <= '9') {
      out.append(variables[digit - '1'].value);
      ++i;
    } else {
      out.push_back(line[i]);
    }
  }
  return CutBytes(out, kMaxLineBytes);
}

}  // namespace qvn
