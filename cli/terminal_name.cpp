#include "cli/terminal_name.h"

#include <cstdio>

namespace qvn {

namespace {

void AppendHex(unsigned char byte, std::string& out) {
  char hex[5];
  std::snprintf(hex, sizeof hex, "\\x%02X", byte);
  out += hex;
}

}  // namespace

std::string EscapeControlBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte == 0x1B) {
      out += "\\e";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      AppendHex(byte, out);
    } else if (byte == 0xC2 && i + 1 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      AppendHex(byte, out);
      AppendHex(static_cast<unsigned char>(text[++i]), out);
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

}  // namespace qvn
