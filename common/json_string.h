#pragma once
// UTF-8 text as a JSON string, for the analysis reports and the web page.
#include <string>
#include <string_view>

namespace qvn {

enum class JsonPlace {
  kDocument,  // quotes, backslashes and control characters escaped
  kScript,    // also "<", ">" and "&", so no text can end a script element
};

std::string JsonString(std::string_view utf8, JsonPlace place = JsonPlace::kDocument);

}  // namespace qvn
