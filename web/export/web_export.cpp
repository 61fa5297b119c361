#include "web/export/web_export.h"

#include <filesystem>
#include <string>

#include "common/encoding.h"
#include "common/message_catalogue.h"
#include "format/user_data_file.h"
#include "platform/data_folder.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "runtime/directives.h"
#include "runtime/story_error.h"
#include "runtime/story_location.h"
#include "runtime/story_trailer.h"
#include "web/export/midi_to_ogg.h"
#include "web/export/web_story_page.h"

namespace qvn {

namespace {

namespace fs = std::filesystem;

constexpr const char* kReaderFile = "web/qvn-reader.html";

WebExportResult Fail(WebExportResult& result, WebExportOutcome outcome, const std::string& error) {
  result.outcome = outcome;
  result.error = error;
  return result;
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
              const fs::path& real_folder, WebStory& story, std::string& error,
              std::vector<std::string>& story_warnings) {
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
      story_warnings.push_back(FormatMessage(
          Translate("WebExport", "%1: 物語のフォルダーの外にあるので、ページには入れません"),
          {shown}));
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
        story_warnings.push_back(FormatMessage(
            Translate("WebExport", "%1: MIDI の曲はページに入れません: %2"), {shown, reason}));
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
  story_warnings.push_back(FormatMessage(
      Translate("WebExport", "%1: 見つかりません (QVN3 と同じく、ページには何も出ません)"),
      {shown}));
  return true;
}

}  // namespace

WebExportResult ExportWebPage(const std::string& story_path, const std::string& output_path) {
  WebExportResult result;
  StoryLocation location;
  location.SetStory(story_path);
  std::string body_path = location.StoryFile(".QVN");
  std::string index_path = location.StoryFile(".QVJ");
  WebStory story;
  Bytes body;
  Bytes index;
  if (FileResult read = ReadWholeFile(body_path, body, kMaxStoryBodyBytes); !read.ok)
    return Fail(result, WebExportOutcome::kUnreadable, body_path + ": " + read.reason);
  if (FileResult read = ReadWholeFile(index_path, index, kMaxStoryBodyBytes); !read.ok)
    return Fail(result, WebExportOutcome::kUnreadable, index_path + ": " + read.reason);
  StoryTrailer trailer;
  try {
    trailer = ReadStoryTrailer(index_path, body_path);
  } catch (const StoryError& error) {
    return Fail(result, WebExportOutcome::kUnreadable,
                (error.File().empty() ? "" : error.File() + ": ") + error.what());
  }
  std::error_code ec;
  fs::path real_folder = fs::canonical(location.story_folder, ec);
  if (ec)
    return Fail(result, WebExportOutcome::kUnreadable, location.story_folder + ": " + ec.message());

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
    if (!AddMedia(media, location.story_folder, real_folder, story, error, result.warnings))
      return Fail(result, WebExportOutcome::kUnreadable, error);
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
    return Fail(result, WebExportOutcome::kWriteFailed,
                FormatMessage(Translate("WebExport",
                                        "ウェブ用の読み手 (%1) がインストールされていません。"
                                        "Debian の emscripten パッケージでビルドされます"),
                              {kReaderFile}));
  }
  Bytes page_template;
  if (FileResult read = ReadWholeFile(reader, page_template, kMaxStoryBodyBytes); !read.ok)
    return Fail(result, WebExportOutcome::kWriteFailed, reader + ": " + read.reason);
  std::string page;
  if (!FillWebPage(page_template, story, page))
    return Fail(result, WebExportOutcome::kWriteFailed,
                FormatMessage(Translate("WebExport", "%1: ウェブ用の読み手のひな形ではありません"),
                              {reader}));

  std::string output =
      output_path.empty() ? location.story_folder + location.base_name + ".html" : output_path;
  if (FileResult written = WriteFileAtomic(output, page, LinkPolicy::kSameFolderOnly); !written.ok)
    return Fail(result, WebExportOutcome::kWriteFailed, output + ": " + written.reason);
  result.output = output;
  return result;
}

}  // namespace qvn
