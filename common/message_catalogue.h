#pragma once
// The words the programs show that are not a story's own bytes, in the
// reader's language. Qt-free code names each message by a context and its
// Japanese source text (UTF-8, the default language); a program that has a
// translation installs a catalogue once at start, before any thread begins.
// Without one, or for a message it does not know, the Japanese text comes
// back byte for byte.
//
// lupdate reads the calls to Translate() (run with
// -tr-function-alias translate+=Translate) and QT_TRANSLATE_NOOP in tables.
#include <initializer_list>
#include <string>
#include <string_view>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace qvn {

class MessageCatalogue {
 public:
  virtual ~MessageCatalogue() = default;
  // The translation of `source` in `context`, UTF-8; empty when there is none.
  virtual std::string Find(const char* context, const char* source) const = 0;
};

// Makes `catalogue` the process's catalogue (nullptr: none). It must outlive
// every later call of Translate(). The one piece of process-wide state here:
// the language is the process's, as the locale is.
void InstallMessageCatalogue(const MessageCatalogue* catalogue);

// `source` in the chosen language.
std::string Translate(const char* context, const char* source);

// `pattern` with %1 ... %9 replaced by `args` in one pass, so an argument's
// own "%2" stays as it is; a number without an argument stays too.
std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace qvn
