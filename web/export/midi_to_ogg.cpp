#include "web/export/midi_to_ogg.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "common/message_catalogue.h"
#include "format/midi_length.h"
#include "platform/file_io.h"

extern char** environ;

namespace qvn {

namespace {

constexpr int kRate = 44100;
constexpr int kFrameBytes = 4;  // 16-bit stereo

const char* const kSoundFonts[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                   "/usr/share/sounds/sf2/FluidR3_GM.sf2"};

// Runs `argv` (looked up on PATH) with its output thrown away and waits.
bool Run(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A private folder for the intermediate files, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qvn-export-XXXXXX";
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

bool RenderMidiToOgg(const std::filesystem::path& midi, Bytes& ogg, std::string& reason) {
  std::string font;
  for (const char* candidate : kSoundFonts) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) {
      font = candidate;
      break;
    }
  }
  if (font.empty()) {
    reason = Translate("WebExport",
                       "General MIDI のサウンドフォントがありません (fluid-soundfont-gm か "
                       "timgm6mb-soundfont を入れてください)");
    return false;
  }
  Bytes midi_bytes;
  FileResult read = ReadWholeFile(midi, midi_bytes, kMaxPictureFileBytes);
  if (!read.ok) {
    reason = read.reason;
    return false;
  }
  std::optional<std::chrono::microseconds> length = MidiPlayingTime(midi_bytes);
  if (!length) {
    reason = Translate("WebExport", "MIDI ファイルではありません");
    return false;
  }
  ScratchFolder scratch;
  if (scratch.Path().empty()) {
    reason = Translate("WebExport", "一時フォルダーを作れません");
    return false;
  }
  std::string raw = (scratch.Path() / "tune.raw").string();
  std::string cut = (scratch.Path() / "cut.raw").string();
  std::string out = (scratch.Path() / "tune.ogg").string();
  if (!Run({"fluidsynth", "-n", "-i", "-q", "-T", "raw", "-O", "s16", "-r", std::to_string(kRate),
            "-F", raw, font, midi.string()})) {
    reason = Translate("WebExport",
                       "fluidsynth で音にできません (Debian の fluidsynth は入っていますか)");
    return false;
  }
  Bytes samples;
  read = ReadWholeFile(raw, samples, kMaxSoundFileBytes);
  if (!read.ok) {
    reason = read.reason;
    return false;
  }
  // The synthesizer rings on after the last event; the tune ends there.
  std::size_t frames = static_cast<std::size_t>(length->count() * kRate / 1000000);
  if (frames * kFrameBytes < samples.size()) samples.resize(frames * kFrameBytes);
  if (!WriteFileDirect(cut, samples).ok ||
      !Run({"oggenc", "-Q", "-r", "-B", "16", "-C", "2", "-R", std::to_string(kRate), "-q", "3",
            "-o", out, cut})) {
    reason = Translate("WebExport",
                       "oggenc で Ogg にできません (Debian の vorbis-tools は入っていますか)");
    return false;
  }
  read = ReadWholeFile(out, ogg, kMaxSoundFileBytes);
  if (!read.ok) reason = read.reason;
  return read.ok;
}

}  // namespace qvn
