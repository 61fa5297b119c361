#include "runtime/directives.h"

#include <optional>

#include "common/number_field.h"
#include "platform/file_names.h"
#include "runtime/story_error.h"

namespace qvn {

namespace {

constexpr BytesView kFolderMarker = "%P%";
constexpr std::size_t kMaxCommandBytes = 249;

void SetColour(BytesView record, int& colour) {
  BytesView operand = record.substr(5, 2);
  std::optional<std::int32_t> value = ParseNumberField(operand);
  if (!value) {
    throw StoryError({}, "the story body is damaged: the colour \"" + std::string(operand) +
                             "\" is not a number");
  }
  colour = ColourIndexFrom(*value);
}

// An existing regular file named by the operand, letter case ignored.
std::optional<fs::path> ExistingFile(BytesView operand, const std::string& story_folder) {
  std::optional<fs::path> found = ResolveExisting(ExpandStoryPath(operand, story_folder));
  std::error_code ec;
  if (!found || fs::is_directory(*found, ec)) return std::nullopt;
  return found;
}

void StartSound(SoundDirective directive, BytesView operand, const DirectiveContext& context) {
  std::optional<fs::path> file = ExistingFile(operand, context.story_folder);
  if (!file || !context.host.SoundKindEnabled(*file)) return;
  StoryState& state = context.state;
  state.music_mark = directive == SoundDirective::kMusic;
  state.current_sound = Bytes(operand);
  // The same music as in the previous block plays on without a restart.
  if (directive == SoundDirective::kMusic && operand == state.previous_sound) return;
  if (!context.host.PlaySound(directive, *file)) state.music_mark = false;
}

void SetBackground(char mode, BytesView operand, const DirectiveContext& context) {
  StoryState& state = context.state;
  if (!state.background_spec.empty() && BytesView(state.background_spec).substr(1) == operand)
    return;
  if (context.host.LoadBackground(ExpandStoryPath(operand, context.story_folder)))
    state.background_spec = mode + Bytes(operand);
}

// The program is the command's first word; without a shell, each word is
// one argument, converted like a file operand.
void StartCommand(BytesView command, const DirectiveContext& context) {
  command = command.substr(0, kMaxCommandBytes);
  std::size_t space = command.find(' ');
  std::optional<fs::path> program = ExistingFile(command.substr(0, space), context.story_folder);
  if (!program) return;
  std::vector<std::string> argv;
  std::string program_name = program->string();
  if (program_name.find('/') == std::string::npos) program_name = "./" + program_name;
  argv.push_back(program_name);
  while (space != BytesView::npos) {
    std::size_t start = space + 1;
    space = command.find(' ', start);
    BytesView word = command.substr(start, space == BytesView::npos ? space : space - start);
    if (!word.empty()) argv.push_back(ExpandStoryPath(word, context.story_folder).string());
  }
  context.host.StartProgram(argv);
}

}  // namespace

fs::path ExpandStoryPath(BytesView operand, const std::string& story_folder) {
  std::string path;
  for (;;) {
    std::size_t marker = operand.find(kFolderMarker);
    path += StoryNameToPath(operand.substr(0, marker)).string();
    if (marker == BytesView::npos) break;
    path += story_folder;
    operand.remove_prefix(marker + kFolderMarker.size());
  }
  return fs::path(path);
}

void ApplyDirective(BytesView record, const DirectiveContext& context) {
  BytesView key = record.substr(1, 4);
  BytesView operand = record.size() > 5 ? record.substr(5) : BytesView();
  if (key == "COL=") {
    SetColour(record, context.state.background_colour);
  } else if (key == "FCL=") {
    SetColour(record, context.state.text_colour);
  } else if (key == "WAV=") {
    StartSound(SoundDirective::kWave, operand, context);
  } else if (key == "BGM=") {
    StartSound(SoundDirective::kMusic, operand, context);
  } else if (key == "BMP=") {
    context.host.ShowPicture(ExpandStoryPath(operand, context.story_folder));
  } else if (key == "BAK=") {
    SetBackground('s', operand, context);
  } else if (key == "TIL=") {
    SetBackground('t', operand, context);
  } else if (key == "EXE=") {
    StartCommand(operand, context);
  } else if (context.old_program_form) {
    StartCommand(record.substr(1), context);
  }
}

}  // namespace qvn
