#include "cli/terminal_host.h"

#include "common/message_catalogue.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/encoding.h"
#include "platform/file_names.h"
#include "platform/program_file.h"
#include "runtime/messages.h"
#include "runtime/runtime_text.h"
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

// C0 control characters and DEL, as bytes of UTF-8 or of CP932 text (where
// they are never part of a double-byte character).
bool IsControlByte(char ch) {
  auto byte = static_cast<unsigned char>(ch);
  return byte < 0x20 || byte == 0x7f;
}

// Shows C0 control characters and DEL as "?"; eight bytes at a time pass
// when none of them is one (the usual case).
void ReplaceControlBytes(char* text, std::size_t size) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHigh = 0x8080808080808080u;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text + i, 8);
    // A byte below 0x20 among those below 0x80, or a byte equal to 0x7F.
    std::uint64_t low = (word - kOnes * 0x20) & ~word & kHigh;
    std::uint64_t del = word ^ (kOnes * 0x7f);
    std::uint64_t is_del = (del - kOnes) & ~del & kHigh;
    if (low | is_del)
      for (std::size_t k = i; k < i + 8; ++k) text[k] = IsControlByte(text[k]) ? '?' : text[k];
  }
  for (; i < size; ++i) text[i] = IsControlByte(text[i]) ? '?' : text[i];
}

// C1 control characters: U+0080 to U+009F, in UTF-8 0xC2 0x80 to 0xC2 0x9F.
bool IsC1Control(std::string_view utf8, std::size_t i) {
  return static_cast<unsigned char>(utf8[i]) == 0xc2 && i + 1 < utf8.size() &&
         static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
         static_cast<unsigned char>(utf8[i + 1]) <= 0x9f;
}

// Shows C1 control characters as "?".
std::string WithoutC1Controls(std::string utf8) {
  std::size_t at = utf8.find('\xc2');
  if (at == std::string::npos) return utf8;  // the usual case
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (IsC1Control(utf8, i)) {
      out.push_back('?');
      ++i;
    } else {
      out.push_back(utf8[i]);
    }
  }
  return out;
}

// Story text must not drive the terminal: C0 and C1 control characters and
// DEL are shown as "?".
std::string SafeForTerminal(std::string utf8) {
  for (char& ch : utf8)
    if (IsControlByte(ch)) ch = '?';
  return WithoutC1Controls(std::move(utf8));
}

// Appends the lines of a page as UTF-8 text, each line ended by "\n".
// Control bytes are shown as "?" (in CP932 and in UTF-8 they are characters
// of their own, so the text can be converted first).
void AppendPageText(const std::vector<Bytes>& lines, Cp932Decoder& decoder, std::string& text) {
  std::size_t start = text.size();
  for (const Bytes& line : lines) {
    std::size_t line_start = text.size();
    decoder.AppendUtf8(line, text);
    ReplaceControlBytes(text.data() + line_start, text.size() - line_start);
    text.push_back('\n');
  }
  if (text.find('\xc2', start) != std::string::npos)
    text.replace(start, std::string::npos, WithoutC1Controls(text.substr(start)));
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
  errors_told_.clear();
  std::string page = "----------------------------------------\n";
  AppendPageText(lines, decoder_, page);
  std::fwrite(page.data(), 1, page.size(), out_);
  PrintButtons();
}

void TerminalHost::PrintButtons() {
  if (open_button_) {
    std::string button = "[";
    button.append(LocalizedRuntimeText(messages::OpenButton())).push_back(']');
    Print(button);
  } else if (choice_buttons_ == 1) {
    Print("[Next]");
  } else if (choice_buttons_ > 1) {
    std::string row;
    for (int k = 0; k < choice_buttons_; ++k) {
      if (k > 0) row.push_back(' ');
      row.push_back('[');
      row.push_back(static_cast<char>('A' + k));
      row.push_back(']');
    }
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

namespace {

std::string CommandLine(const std::vector<std::string>& argv) {
  std::string line;
  for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;
  return line;
}

}  // namespace

ProgramAnswer TerminalHost::AskToStartProgram(const ProgramRequest& request) {
  std::string line = CommandLine(request.argv);
  if (!answers_.run_programs) {
    Event("program (not started): " + line);
    return ProgramAnswer::kDoNotStart;
  }
  if (!request.outside_story_folder) return ProgramAnswer::kStartOnce;
  if (answers_.interactive) {
    Print(FormatMessage(
        Translate("qvn", "作品「%1」が作品のフォルダーの外のプログラムを起動しようとしています:"),
        {Cp932ToUtf8(request.story_title)}));
    Print("  " + line);
    Prompt(Translate("qvn", "起動しますか? (y/N) "));
    std::optional<std::string> answer = ReadLine();
    if (answer && (*answer == "y" || *answer == "Y")) return ProgramAnswer::kStartOnce;
  }
  Event("program outside the story's folder (not started): " + line);
  return ProgramAnswer::kDoNotStart;
}

void TerminalHost::StartProgram(const ProgramFile& program, const std::vector<std::string>& argv) {
  bool started = StartProgramFile(program, argv);
  Event(std::string(started ? "program started: " : "program failed to start: ") +
        CommandLine(argv));
}

std::optional<int> TerminalHost::ChooseSlot(SlotDialog& dialog) {
  if (answers_.slot || !answers_.interactive) {
    int slot = answers_.slot.value_or(1);
    // The dialog opens on slot 1, already read: read a slot only once.
    if (dialog.SelectedSlot() != slot) dialog.Select(slot);
    return slot;
  }
  for (;;) {
    for (int slot = 1; slot <= 4; ++slot) {
      dialog.Select(slot);
      Print("  " + std::to_string(slot) + ": " + Cp932ToUtf8(dialog.Caption()) + " - " +
            LocalizedRuntimeText(dialog.Comment()));
    }
    Prompt(Translate("qvn", "スロット (1-4、消すときは e1-e4): "));
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
      Print(LocalizedRuntimeText(dialog.Comment()));
      Prompt(Translate("qvn", "(消すなら y) "));
      std::optional<std::string> confirm = ReadLine();
      if (!confirm) return std::nullopt;
      if (*confirm == "y" || *confirm == "Y") {
        dialog.PressErase();
        Print(LocalizedRuntimeText(dialog.Comment()));
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
    std::string reason =
        FormatMessage(value ? Translate("qvn", "%1 が空です: ニューゲームの問いには値が要ります")
                            : Translate("qvn", "%1=TEXT に CP932 で表せない文字があります"),
                      {option});
    // The prompt would refuse it again and again: without the reader that
    // is the caller's mistake, with the reader the reader answers.
    if (!answers_.interactive) {
      usage_error_ = reason;
      return std::nullopt;
    }
    Notice(reason);
  } else if (!answers_.interactive) {
    if (preset.empty()) {
      usage_error_ = FormatMessage(
          Translate("qvn", "変数 %1 には既定値がありません: %2=TEXT を与えてください"),
          {std::to_string(number), option});
      return std::nullopt;
    }
    return Bytes(preset);
  }
  for (;;) {
    // The preset and the colon follow the question here.
    std::string question = LocalizedVariablePrompt(comment);
    if (!question.empty() && question.back() == ':') question.pop_back();
    Prompt(question.append(" [").append(Cp932ToUtf8(preset)).append("]: "));
    std::optional<std::string> answer = ReadLine();
    if (!answer) return std::nullopt;
    // Enter keeps the preset, as the browser's prefilled field does (an empty
    // one is refused and asked for again).
    if (answer->empty()) return Bytes(preset);
    if (std::optional<Bytes> value = ToCp932Exactly(*answer)) return value;
    Notice(Translate("qvn", "その文字は CP932 で表せません: 別の文字を打ってください"));
  }
}

void TerminalHost::ShowWriteFailure(BytesView message) {
  ++write_failures_;
  Notice(LocalizedRuntimeText(message));
}

void TerminalHost::ShowErrorBox(const std::string& file, const std::string& reason) {
  ++error_boxes_;
  std::string text = file.empty() ? reason : file + ": " + reason;
  if (errors_told_.insert(text).second) Notice(text);
}

void TerminalHost::SetCaption(BytesView caption) {
  Print("== " + Cp932ToUtf8(caption) + " ==");
}

}  // namespace qvn
