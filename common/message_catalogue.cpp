#include "common/message_catalogue.h"

#include <atomic>

namespace qvn {

namespace {

std::atomic<const MessageCatalogue*>& Installed() {
  static std::atomic<const MessageCatalogue*> catalogue{nullptr};
  return catalogue;
}

}  // namespace

void InstallMessageCatalogue(const MessageCatalogue* catalogue) {
  Installed().store(catalogue);
}

std::string Translate(const char* context, const char* source) {
  if (const MessageCatalogue* catalogue = Installed().load()) {
    std::string found = catalogue->Find(context, source);
    if (!found.empty()) return found;
  }
  return source;
}

std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string text;
  text.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
        pattern[i + 1] <= '9') {
      std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (n < args.size()) {
        text += *(args.begin() + n);
        ++i;
        continue;
      }
    }
    text += pattern[i];
  }
  return text;
}

}  // namespace qvn
