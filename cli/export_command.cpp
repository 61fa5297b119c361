#include "cli/export_command.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "cli/exit_codes.h"
#include "cli/midi_to_ogg.h"
#include "cli/web_story_page.h"
#include "common/encoding.h"
#include "format/user_data_file.h"
#include "platform/data_folder.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "runtime/directives.h"
#include "runtime/story_error.h"
#include "runtime/story_location.h"
#include "runtime/story_trailer.h"

namespace qvn {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "usage: qvn export --web [--output=FILE.html] STORY\n";

constexpr const char* kHelp =
    "Writes a compiled story (STORY names its .qvn, .qvj or any file of the same\n"
    "base name) as one HTML page that any browser opens, from a file or from a\n"
    "web server: the story, every picture and sound it names, and the reader\n"
    "(the same runtime as QVN3, in WebAssembly). No network is used by the page.\n"
    "MIDI tunes are rendered to Ogg Vorbis with FluidSynth.\n"
    "\n"
    "  --web             the only format: one HTML file\n"
    "  --output=FILE     where to write it (default: the story's base name with\n"
    "                    .html, beside the story)\n"
    "\n"
    "A picture or sound the story names that is missing is a warning.\n"
    "Exit status: 0 written, 1 a story or media file cannot be read (nothing\n"
    "written), 2 the page cannot be written (the previous file is kept) or the\n"
    "web reader is not installed, 64 bad usage.\n";

constexpr const char* kReaderFile = "web/qvn-reader.html";

struct ExportOptions {
  bool web = false;
  std::string output;
  std::string story;
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string ParseOptions(int argc, char** argv, ExportOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--web") {
      options.web = true;
    } else if (StartsWith(arg, "--output=")) {
      options.output = std::string(arg.substr(9));
      if (options.output.empty()) return "--output needs a file";
    } else if (StartsWith(arg, "-") && arg != "-") {
      return "unknown option " + std::string(arg);
    } else if (options.story.empty()) {
      options.story = std::string(arg);
    } else {
      return "only one STORY may be given";
    }
  }
  if (!options.web) return "give the format: --web";
  if (options.story.empty()) return "no STORY given";
  return {};
}

int Failure(int status, const std::string& text) {
  std::fprintf(stderr, "qvn export: %s\n", text.c_str());
  return status;
}

void Warn(const std::string& text) {
  std::fprintf(stderr, "qvn export: warning: %s\n", text.c_str());
}

// `path` relative to `folder` when it lies inside it (both resolved), else
// empty.
std::string InsideFolder(const fs::path& path, const fs::path& folder) {
  std::error_code ec;
  fs::path real = fs::canonical(path, ec);
  if (ec) return {};
  fs::path relative = real.lexically_relative(folder);
  if (relative.empty() || *relative.begin() == ".." || relative.is_absolute()) return {};
  return relative.string();
}

// Adds the file a directive names; returns false when it exists but cannot
// be read (`error` says why).
bool AddMedia(const MediaReference& media, const std::string& story_folder,
              const fs::path& real_folder, WebStory& story, std::string& error) {
  fs::path named = ExpandStoryPath(media.operand, story_folder);
  if (named.is_relative()) named = fs::path(story_folder) / named;
  std::vector<fs::path> candidates;
  if (media.picture) {
    // QVN3 shows a JPEG file of the same name first.
    fs::path jpeg = named;
    jpeg.replace_extension(".JPG");
    candidates.push_back(jpeg);
  }
  candidates.push_back(named);
  std::string shown = Cp932ToUtf8(media.operand);
  for (const fs::path& candidate : candidates) {
    std::optional<fs::path> found = ResolveExisting(candidate);
    std::error_code ec;
    if (!found || fs::is_directory(*found, ec)) continue;
    std::string relative = InsideFolder(*found, real_folder);
    if (relative.empty()) {
      Warn(shown + ": lies outside the story's folder and is not put in the page");
      story.missing.push_back(shown);
      return true;
    }
    for (const WebStoryFile& file : story.files)
      if (file.path == relative) return true;
    WebStoryFile file{relative, {}};
    std::string extension = found->extension().string();
    for (char& ch : extension) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (extension == ".mid" || extension == ".midi") {
      std::string reason;
      if (!RenderMidiToOgg(*found, file.data, reason)) {
        Warn(shown + ": the MIDI tune is not put in the page: " + reason);
        story.missing.push_back(shown);
        return true;
      }
    } else {
      FileResult read = ReadWholeFile(*found, file.data, kMaxPictureFileBytes);
      if (!read.ok) {
        error = found->string() + ": " + read.reason;
        return false;
      }
    }
    story.files.push_back(std::move(file));
    return true;
  }
  Warn(shown + ": missing (the page shows nothing for it, as QVN3 does)");
  story.missing.push_back(shown);
  return true;
}

}  // namespace

int RunExportCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      return kExitOk;
    }
  }
  ExportOptions options;
  std::string usage_error = ParseOptions(argc, argv, options);
  if (!usage_error.empty()) {
    std::fprintf(stderr, "qvn export: %s\n%s", usage_error.c_str(), kUsage);
    return kExitUsage;
  }

  StoryLocation location;
  location.SetStory(options.story);
  std::string body_path = location.StoryFile(".QVN");
  std::string index_path = location.StoryFile(".QVJ");
  WebStory story;
  Bytes body;
  Bytes index;
  if (FileResult read = ReadWholeFile(body_path, body, kMaxStoryBodyBytes); !read.ok)
    return Failure(kExitFailed, body_path + ": " + read.reason);
  if (FileResult read = ReadWholeFile(index_path, index, kMaxStoryBodyBytes); !read.ok)
    return Failure(kExitFailed, index_path + ": " + read.reason);
  StoryTrailer trailer;
  try {
    trailer = ReadStoryTrailer(index_path, body_path);
  } catch (const StoryError& error) {
    return Failure(kExitFailed, (error.File().empty() ? "" : error.File() + ": ") + error.what());
  }
  std::error_code ec;
  fs::path real_folder = fs::canonical(location.story_folder, ec);
  if (ec) return Failure(kExitFailed, location.story_folder + ": " + ec.message());

  story.title_utf8 = Cp932ToUtf8(trailer.title);
  story.identity = WebStoryIdentity(story.title_utf8, index);
  story.base_name = location.base_name;
  story.fresh_slot = FreshUserData(trailer.title, trailer.variables);
  // The page's runtime finds the story under the names the loader gives.
  std::string body_name = fs::path(body_path).filename().string();
  std::string index_name = fs::path(index_path).filename().string();
  story.story_file = body_name;
  story.files.push_back({body_name, std::move(body)});
  story.files.push_back({index_name, std::move(index)});
  for (const MediaReference& media : MediaReferences(story.files[0].data)) {
    std::string error;
    if (!AddMedia(media, location.story_folder, real_folder, story, error))
      return Failure(kExitFailed, error);
  }

  // A program is never put in the page nor started there; an empty file in
  // its place lets the page's runtime say which program the story asked for.
  for (const Bytes& program : ProgramReferences(story.files[0].data)) {
    fs::path named = ExpandStoryPath(program, location.story_folder);
    if (named.is_relative()) named = fs::path(location.story_folder) / named;
    std::optional<fs::path> found = ResolveExisting(named);
    std::string relative = found ? InsideFolder(*found, real_folder) : std::string();
    bool known = false;
    for (const WebStoryFile& file : story.files) known = known || file.path == relative;
    if (!relative.empty() && !known) story.files.push_back({relative, {}});
  }

  std::string reader = FindDataFile(kReaderFile);
  if (reader.empty()) {
    return Failure(kExitIoError,
                   "the web reader (" + std::string(kReaderFile) +
                       ") is not installed: this qvn was built without Debian's emscripten package");
  }
  Bytes page_template;
  if (FileResult read = ReadWholeFile(reader, page_template, kMaxStoryBodyBytes); !read.ok)
    return Failure(kExitIoError, reader + ": " + read.reason);
  std::string page;
  if (!FillWebPage(page_template, story, page))
    return Failure(kExitIoError, reader + ": not a web reader template");

  std::string output = options.output.empty()
                           ? location.story_folder + location.base_name + ".html"
                           : options.output;
  if (FileResult written = WriteFileAtomic(output, page, LinkPolicy::kSameFolderOnly); !written.ok)
    return Failure(kExitIoError, output + ": " + written.reason);
  std::printf("%s\n", output.c_str());
  return kExitOk;
}

}  // namespace qvn
