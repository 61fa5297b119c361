#include "cli/terminal_host.h"

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

// Story text must not drive the terminal: C0 and C1 control characters and
// DEL are shown as "?".
std::string SafeForTerminal(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x20 || byte == 0x7f) {
      out.push_back('?');
    } else if (byte == 0xc2 && i + 1 < utf8.size() &&
               static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9f) {
      out.push_back('?');
      ++i;
    } else {
      out.push_back(static_cast<char>(byte));
    }
  }
  return out;
}

}  // namespace

TerminalHost::TerminalHost(TerminalAnswers answers, std::FILE* in, std::FILE* out, std::FILE* err)
    : answers_(std::move(answers)), in_(in), out_(out), err_(err) {}

std::optional<std::string> TerminalHost::ReadLine() {
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
  std::fflush(out_);
}

void TerminalHost::Prompt(const std::string& utf8_text) {
  std::fputs(SafeForTerminal(utf8_text).c_str(), out_);
  std::fflush(out_);
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
  Print("----------------------------------------");
  for (const Bytes& line : lines) Print(Cp932ToUtf8(line));
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
  if (number >= 1 && number <= 9 && answers_.vars[number - 1])
    return Utf8ToCp932(*answers_.vars[number - 1]);
  if (!answers_.interactive) {
    if (preset.empty()) {
      std::fprintf(err_, "qvn play: variable %d has no default value: give --var=%d=TEXT\n", number,
                   number);
      return std::nullopt;
    }
    return Bytes(preset);
  }
  std::string prompt = Cp932ToUtf8(comment) + " [" + Cp932ToUtf8(preset) + "]: ";
  Prompt(prompt);
  std::optional<std::string> answer = ReadLine();
  if (!answer) return std::nullopt;
  // Enter keeps the preset, as the browser's prefilled field does.
  return answer->empty() ? Bytes(preset) : Utf8ToCp932(*answer);
}

void TerminalHost::ShowWriteFailure(BytesView message) {
  std::fprintf(err_, "qvn play: %s\n", Cp932ToUtf8(message).c_str());
}

void TerminalHost::ShowErrorBox(const std::string& file, const std::string& reason) {
  ++error_boxes_;
  if (file.empty())
    std::fprintf(err_, "qvn play: %s\n", SafeForTerminal(reason).c_str());
  else
    std::fprintf(err_, "qvn play: %s: %s\n", SafeForTerminal(file).c_str(),
                 SafeForTerminal(reason).c_str());
}

void TerminalHost::SetCaption(BytesView caption) {
  Print("== " + Cp932ToUtf8(caption) + " ==");
}

}  // namespace qvn
