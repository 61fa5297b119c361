// Compiled stories handed to a reader: the index and the body come from the
// input, and the story is opened and played for a few choices. Damaged files
// must end in the error box, never in a crash or a hang.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "format/user_data_file.h"
#include "runtime/null_host.h"
#include "runtime/slot_dialog.h"
#include "runtime/story_session.h"

namespace {

void Write(const std::filesystem::path& path, const char* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data, static_cast<std::streamsize>(size));
}

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "qvn-fuzz-XXXXXX").string();
    return std::filesystem::path(::mkdtemp(pattern.data()));
  }();
  return folder;
}

}  // namespace

// Input: one byte giving the number of index records (0 to 255), those
// records, then the story body. The choices taken come from the body's end.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const char* bytes = reinterpret_cast<const char*>(data);
  std::size_t index_size = std::min<std::size_t>(size - 1, data[0] * qvn::kIndexRecordSize);
  Write(Folder() / "s.qvj", bytes + 1, index_size);
  Write(Folder() / "s.qvn", bytes + 1 + index_size, size - 1 - index_size);
  qvn::Bytes slot = qvn::FreshUserData("t", qvn::StringVariables{});
  Write(Folder() / "s.Q01", slot.data(), slot.size());

  qvn::NullHost host;
  qvn::StorySession session(host, Folder().string() + "/", Folder().string() + "/");
  session.SetStory((Folder() / "s.qvn").string());
  session.OpenStory();
  for (std::size_t i = 0; i < 8 && session.IsOpen(); ++i) {
    int count = session.ChoiceCount();
    if (count > 0) session.SelectChoice(1 + static_cast<int>(data[size - 1 - i % size] % count));
  }
  session.CloseStory();
  return 0;
}
