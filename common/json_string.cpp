#include "common/json_string.h"

#include <cstdio>

namespace qvn {

std::string JsonString(std::string_view utf8, JsonPlace place) {
  std::string out(1, '"');
  for (char ch : utf8) {
    auto byte = static_cast<unsigned char>(ch);
    bool markup = ch == '<' || ch == '>' || ch == '&';
    if (ch == '"' || ch == '\\') {
      out.push_back('\\');
      out.push_back(ch);
    } else if (byte < 0x20 || byte == 0x7f || (place == JsonPlace::kScript && markup)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out.push_back(ch);
    }
  }
  out.push_back('"');
  return out;
}

}  // namespace qvn
