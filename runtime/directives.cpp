#include "runtime/directives.h"

#include <optional>

#include "common/number_field.h"
#include "platform/file_names.h"
#include "platform/program_file.h"
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

// A program named by an absolute path, or one that lies outside the story
// folder once links and ".." are resolved, is never covered by "always".
bool OutsideStoryFolder(BytesView program_word, const fs::path& program,
                        const std::string& story_folder) {
  bool from_story_folder = program_word.starts_with(kFolderMarker);
  if (!from_story_folder && ExpandStoryPath(program_word, story_folder).is_absolute()) return true;
  std::error_code ec;
  fs::path folder = fs::canonical(story_folder, ec);
  if (ec) return true;
  fs::path relative = program.lexically_relative(folder);
  return relative.empty() || *relative.begin() == "..";
}

void AskAndStart(ProgramRequest request, const ProgramFile& program,
                 const DirectiveContext& context) {
  ProgramPermissions& programs = context.programs;
  ProgramAnswer answer = ProgramAnswer::kStartOnce;
  bool may_always = request.MayAlways();
  if (!may_always || !programs.Allows(request.story_file))
    answer = context.host.AskToStartProgram(request);
  if (answer == ProgramAnswer::kDoNotStart) return;
  if (answer == ProgramAnswer::kAlwaysForStory && may_always) programs.Allow(request.story_file);
  context.host.StartProgram(program, request.argv);
}

// The program is the command's first word; without a shell, each word is
// one argument, converted like a file operand.
void StartCommand(BytesView command, const DirectiveContext& context) {
  // Switched off: nothing is started and nobody is asked.
  if (context.programs.programs_off) return;
  command = command.substr(0, kMaxCommandBytes);
  std::size_t space = command.find(' ');
  BytesView program_word = command.substr(0, space);
  std::optional<fs::path> program = ExistingFile(program_word, context.story_folder);
  if (!program) return;
  std::error_code ec;
  fs::path full = fs::canonical(*program, ec);
  if (ec) return;
  // Held open from here to the start: the program started is the file the
  // reader is asked about, even when its name is swapped meanwhile.
  std::optional<ProgramFile> file = ProgramFile::Open(full);
  if (!file) return;
  ProgramRequest request;
  request.story_title = context.state.title;
  request.story_file = context.location.Identity();
  request.outside_story_folder =
      OutsideStoryFolder(program_word, fs::path(file->Path()), context.story_folder);
  request.argv.push_back(file->Path());
  while (space != BytesView::npos) {
    std::size_t start = space + 1;
    space = command.find(' ', start);
    BytesView word = command.substr(start, space == BytesView::npos ? space : space - start);
    if (!word.empty()) request.argv.push_back(ExpandStoryPath(word, context.story_folder).string());
  }
  AskAndStart(std::move(request), *file, context);
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
