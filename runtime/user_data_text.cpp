#include "runtime/user_data_text.h"

#include <algorithm>

#include "common/message_catalogue.h"
#include "common/number_field.h"
#include "format/markers.h"
#include "format/user_data_file.h"

namespace qvn {

namespace {

constexpr int kFirstFlagLine = 21;
constexpr int kCounterLine = 48;
constexpr int kResumeLine = 49;
constexpr int kBackgroundColourLine = 50;
constexpr int kTextColourLine = 51;
constexpr int kPictureLine = 52;

// Reads colour line `number`: 16 when the file ends before it.
std::optional<int> ReadColourLine(const std::vector<BytesView>& lines, int number) {
  if (static_cast<int>(lines.size()) < number) return kDefaultColour;
  std::optional<std::int32_t> value = ParseNumberField(lines[number - 1]);
  if (!value) return std::nullopt;
  return ColourIndexFrom(*value);
}

}  // namespace

std::vector<BytesView> SplitTextLines(BytesView text) {
  std::vector<BytesView> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::size_t next = end == BytesView::npos ? text.size() : end + 1;
    if (end == BytesView::npos) end = text.size();
    BytesView line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r' && end < text.size()) line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

std::string UserDataDamage(BytesView text) {
  std::vector<BytesView> lines = SplitTextLines(text);
  if (!ReadColourLine(lines, kBackgroundColourLine))
    return Translate("StoryDamage", "50 行目 (背景色) が数値ではありません");
  if (!ReadColourLine(lines, kTextColourLine))
    return Translate("StoryDamage", "51 行目 (文字色) が数値ではありません");
  // One line longer than a line can be is no save at all.
  if (lines.size() == 1 && lines[0].size() > kMaxLineBytes)
    return Translate("StoryDamage", "長すぎる一行だけのファイルです");
  // The title, the variables and the background picture's name come from
  // the story and the reader, and the block name from the index, whatever
  // bytes they hold (a saved name is at most a block name long); every other
  // byte is the save's own, which never holds a control byte.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    int number = static_cast<int>(i) + 1;
    if (number == 1 || (number >= 3 && number < kFirstFlagLine) || number == kPictureLine) continue;
    BytesView own = lines[i];
    if (number == 2) own.remove_prefix(std::min(own.size(), kMaxBlockNameBytes));
    for (char ch : own) {
      auto byte = static_cast<unsigned char>(ch);
      if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
        return FormatMessage(Translate("StoryDamage", "%1 行目に制御文字があります"),
                             {std::to_string(number)});
    }
  }
  return {};
}

std::string ParseUserData(BytesView text, const BlockIndex& index, StoryState& state) {
  if (std::string damage = UserDataDamage(text); !damage.empty()) return damage;
  std::vector<BytesView> lines = SplitTextLines(text);
  auto line = [&lines](int number) -> BytesView {
    return number <= static_cast<int>(lines.size()) ? lines[number - 1] : BytesView();
  };

  std::optional<int> background = ReadColourLine(lines, kBackgroundColourLine);
  std::optional<int> text_colour = ReadColourLine(lines, kTextColourLine);

  state.title = CutBytes(line(1), kMaxLineBytes);
  state.position_name = CutBytes(line(2), kMaxBlockNameBytes);
  state.position_offset = index.FindBlock(state.position_name);
  for (int n = 0; n < kVariableCount; ++n) {
    state.variables[n].label = CutBytes(line(3 + 2 * n), kMaxVariableBytes);
    state.variables[n].value = CutBytes(line(4 + 2 * n), kMaxVariableBytes);
  }
  for (int flag = 1; flag < kFlagCount; ++flag) {
    BytesView flag_line = line(kFirstFlagLine + (flag - 1) / kFlagsPerLine);
    std::size_t column = static_cast<std::size_t>((flag - 1) % kFlagsPerLine);
    state.flags[flag] = column < flag_line.size() && flag_line[column] == '1' ? 1 : 0;
  }
  BytesView counters = line(kCounterLine);
  for (int i = 0; i < kCounterCount; ++i)
    state.counters[i] = i < static_cast<int>(counters.size()) ? counters[i] : 'A';
  state.resume = line(kResumeLine) != "0";
  state.background_colour = *background;
  state.text_colour = *text_colour;
  state.background_spec = CutBytes(line(kPictureLine), kMaxLineBytes);
  state.current_sound.clear();
  return {};
}

bool ResumeMarkerFor(const StoryState& state, const BlockIndex& index) {
  return state.position_offset != index.FindBlock(kTrailerMarker);
}

Bytes FormatUserData(const StoryState& state, bool resume_marker) {
  Bytes out;
  // A line cannot hold a line feed: a field that has one (a damaged story's
  // name or title) is cut there, so the file keeps one field per line.
  auto add = [&out](BytesView text) {
    out.append(text.substr(0, text.find('\n')));
    out.append(kLineBreak);
  };
  add(state.title);
  add(state.position_name);
  for (const StringVariable& variable : state.variables) {
    add(variable.label);
    add(variable.value);
  }
  for (int row = 0; row < kFlagLines; ++row) {
    Bytes flag_line(kFlagsPerLine, '0');
    for (int column = 0; column < kFlagsPerLine; ++column) {
      if (state.flags[1 + row * kFlagsPerLine + column]) flag_line[column] = '1';
    }
    add(flag_line);
  }
  add(BytesView(state.counters.data(), state.counters.size()));
  add(resume_marker ? "1" : "0");
  add(std::to_string(state.background_colour));
  add(std::to_string(state.text_colour));
  add(state.background_spec);
  return out;
}

}  // namespace qvn
