#include "cli/terminal_host.h"

#include <algorithm>

#include "common/encoding.h"
#include "platform/file_names.h"
#include "platform/process_start.h"
#include "runtime/messages.h"
#include "runtime/slot_dialog.h"

namespace qvn {

namespace {

std::string Quoted(const std::filesystem::path& path) {
  return path.string();
}

// A picture loads when it, or a JPEG file of the same name, exists (letter
// case ignored), as the browser's picture loader finds it.
bool PictureExists(const std::filesystem::path& picture) {
  std::filesystem::path jpeg = picture;
  jpeg.replace_extension(".JPG");
  return ResolveExisting(jpeg).has_value() || ResolveExisting(picture).has_value();
}

bool IsTerminalControl(std::string_view utf8, std::size_t i, bool keep_line_ends) {
  auto byte = static_cast<unsigned char>(utf8[i]);
  if (byte == '\n') return !keep_line_ends;
  if (byte < 0x20 || byte == 0x7f) return true;
  return byte == 0xc2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
         static_cast<unsigned char>(utf8[i + 1]) <= 0x9f;
}

// Story text must not drive the terminal: C0 and C1 control characters and
// DEL are shown as "?" (line ends only where the caller joined lines).
std::string SafeForTerminal(std::string utf8, bool keep_line_ends = false) {
  std::size_t i = 0;
  while (i < utf8.size() && !IsTerminalControl(utf8, i, keep_line_ends)) ++i;
  if (i == utf8.size()) return utf8;  // the usual case: nothing to replace
  std::string out = utf8.substr(0, i);
  for (; i < utf8.size(); ++i) {
    if (!IsTerminalControl(utf8, i, keep_line_ends)) {
      out.push_back(utf8[i]);
      continue;
    }
    out.push_back('?');
    if (static_cast<unsigned char>(utf8[i]) == 0xc2) ++i;
  }
  return out;
}

// The lines of a page as one UTF-8 text, each line ended by "\n", converted
// in one go. A control byte of CP932 text is never part of a double-byte
// character, so showing it as "?" before the conversion keeps the line ends
// apart from the text.
std::string PageText(const std::vector<Bytes>& lines) {
  Bytes joined;
  std::size_t size = 0;
  for (const Bytes& line : lines) size += line.size() + 1;
  joined.reserve(size);
  for (const Bytes& line : lines) {
    for (char ch : line) {
      auto byte = static_cast<unsigned char>(ch);
      joined.push_back(byte < 0x20 || byte == 0x7f ? '?' : ch);
    }
    joined.push_back('\n');
  }
  return SafeForTerminal(Cp932ToUtf8(joined), true);
}

// The CP932 bytes of the reader's text, or nullopt when it holds what CP932
// cannot (or bytes that are not UTF-8). The conversion writes "?" for those,
// and "?" is never part of a double-byte character, so an added "?" tells.
std::optional<Bytes> ToCp932Exactly(const std::string& utf8) {
  Bytes cp932 = Utf8ToCp932(utf8);
  if (std::count(cp932.begin(), cp932.end(), '?') != std::count(utf8.begin(), utf8.end(), '?'))
    return std::nullopt;
  return cp932;
}

}  // namespace

TerminalHost::TerminalHost(TerminalAnswers answers, std::FILE* in, std::FILE* out, std::FILE* err)
    : answers_(std::move(answers)), in_(in), out_(out), err_(err) {}

std::optional<std::string> TerminalHost::ReadLine() {
  // The reader must see the page and the prompt before typing.
  std::fflush(out_);
  std::string line;
  int ch;
  bool any = false;
  while ((ch = std::fgetc(in_)) != EOF) {
    any = true;
    if (ch == '\n') break;
    line.push_back(static_cast<char>(ch));
  }
  if (!any) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void TerminalHost::Print(const std::string& utf8_line) {
  Prompt(utf8_line);
  std::fputc('\n', out_);
}

void TerminalHost::Prompt(const std::string& utf8_text) {
  std::string safe = SafeForTerminal(utf8_text);
  std::fwrite(safe.data(), 1, safe.size(), out_);
}

void TerminalHost::Notice(const std::string& utf8_line) {
  std::fflush(out_);
  std::fprintf(err_, "qvn play: %s\n", SafeForTerminal(utf8_line).c_str());
}

void TerminalHost::Event(const std::string& text) {
  Print("  [" + text + "]");
}

void TerminalHost::HideChoiceButtons() {
  choice_buttons_ = 0;
}

void TerminalHost::ShowChoiceButtons(int count) {
  choice_buttons_ = count;
  open_button_ = false;
}

void TerminalHost::ShowOpenButton() {
  choice_buttons_ = 0;
  open_button_ = true;
}

void TerminalHost::ResetPage(const std::vector<Bytes>& lines, const StoryState&) {
  ++pages_;
  std::string page = "----------------------------------------\n" + PageText(lines);
  std::fwrite(page.data(), 1, page.size(), out_);
  PrintButtons();
}

void TerminalHost::PrintButtons() {
  if (open_button_) {
    Print("[" + Cp932ToUtf8(messages::OpenButton()) + "]");
  } else if (choice_buttons_ == 1) {
    Print("[Next]");
  } else if (choice_buttons_ > 1) {
    std::string row;
    for (int k = 0; k < choice_buttons_; ++k)
      row += std::string(row.empty() ? "" : " ") + "[" + static_cast<char>('A' + k) + "]";
    Print(row);
  }
}

void TerminalHost::PageLineAdded(BytesView line) {
  Print(Cp932ToUtf8(line));
}

void TerminalHost::ShowPicture(const std::filesystem::path& picture) {
  Event((PictureExists(picture) ? "picture: " : "picture missing: ") + Quoted(picture));
}

bool TerminalHost::LoadBackground(const std::filesystem::path& picture) {
  bool exists = PictureExists(picture);
  Event((exists ? "background: " : "background missing: ") + Quoted(picture));
  return exists;
}

bool TerminalHost::PlaySound(SoundDirective directive, const std::filesystem::path& file) {
  Event(std::string(directive == SoundDirective::kMusic ? "music: " : "sound: ") + Quoted(file));
  playing_ = true;
  return true;
}

void TerminalHost::StopSound() {
  if (!playing_) return;
  playing_ = false;
  Event("sound stopped");
}

void TerminalHost::StartProgram(const std::vector<std::string>& argv) {
  std::string line;
  for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;
  if (!answers_.run_programs) {
    Event("program (not started): " + line);
    return;
  }
  bool started = StartProgramArguments(argv);
  Event(std::string(started ? "program started: " : "program failed to start: ") + line);
}

std::optional<int> TerminalHost::ChooseSlot(SlotDialog& dialog) {
  if (answers_.slot || !answers_.interactive) {
    int slot = answers_.slot.value_or(1);
    dialog.Select(slot);
    return slot;
  }
  for (;;) {
    for (int slot = 1; slot <= 4; ++slot) {
      dialog.Select(slot);
      Print("  " + std::to_string(slot) + ": " + Cp932ToUtf8(dialog.Caption()) + " - " +
            Cp932ToUtf8(dialog.Comment()));
    }
    Prompt("Slot (1-4, or e1-e4 to erase): ");
    std::optional<std::string> answer = ReadLine();
    if (!answer) return std::nullopt;
    if (answer->size() == 1 && (*answer)[0] >= '1' && (*answer)[0] <= '4') {
      int slot = (*answer)[0] - '0';
      dialog.Select(slot);
      return slot;
    }
    if (answer->size() == 2 && ((*answer)[0] == 'e' || (*answer)[0] == 'E') &&
        (*answer)[1] >= '1' && (*answer)[1] <= '4') {
      dialog.Select((*answer)[1] - '0');
      dialog.PressErase();
      Print(Cp932ToUtf8(dialog.Comment()));
      Prompt("(y to erase) ");
      std::optional<std::string> confirm = ReadLine();
      if (!confirm) return std::nullopt;
      if (*confirm == "y" || *confirm == "Y") {
        dialog.PressErase();
        Print(Cp932ToUtf8(dialog.Comment()));
      }
    }
  }
}

std::optional<Bytes> TerminalHost::AskVariable(int number, BytesView comment, BytesView preset) {
  const std::optional<std::string>* given = number >= 1 && number <= 9 && answers_.vars[number - 1]
                                                ? &answers_.vars[number - 1]
                                                : nullptr;
  std::string option = "--var=" + std::to_string(number);
  if (given) {
    std::optional<Bytes> value = ToCp932Exactly(**given);
    if (value && !value->empty()) return value;
    std::string reason = option + (value ? " is empty: the new-game prompt needs a value"
                                         : "=TEXT holds characters that CP932 cannot hold");
    // The prompt would refuse it again and again: without the reader that
    // is the caller's mistake, with the reader the reader answers.
    if (!answers_.interactive) {
      usage_error_ = reason;
      return std::nullopt;
    }
    Notice(reason);
  } else if (!answers_.interactive) {
    if (preset.empty()) {
      usage_error_ =
          "variable " + std::to_string(number) + " has no default value: give " + option + "=TEXT";
      return std::nullopt;
    }
    return Bytes(preset);
  }
  for (;;) {
    Prompt(Cp932ToUtf8(comment) + " [" + Cp932ToUtf8(preset) + "]: ");
    std::optional<std::string> answer = ReadLine();
    if (!answer) return std::nullopt;
    // Enter keeps the preset, as the browser's prefilled field does (an empty
    // one is refused and asked for again).
    if (answer->empty()) return Bytes(preset);
    if (std::optional<Bytes> value = ToCp932Exactly(*answer)) return value;
    Notice("CP932 cannot hold that text: type another");
  }
}

void TerminalHost::ShowWriteFailure(BytesView message) {
  ++write_failures_;
  Notice(Cp932ToUtf8(message));
}

void TerminalHost::ShowErrorBox(const std::string& file, const std::string& reason) {
  ++error_boxes_;
  Notice(file.empty() ? reason : file + ": " + reason);
}

void TerminalHost::SetCaption(BytesView caption) {
  Print("== " + Cp932ToUtf8(caption) + " ==");
}

}  // namespace qvn
