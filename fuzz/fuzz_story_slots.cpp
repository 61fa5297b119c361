// A story handed to a reader together with slot files of any bytes: the slot
// dialog's status of every slot, the erase, the open, a temporary save, its
// reopening and the reopening of the slot. Damaged files end in the error
// box, never in a crash or a hang, and what the browser saved itself always
// loads again.
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

// Saves flush their files; a memory file system keeps that fast.
const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    std::string pattern = (base / "qvn-fuzz-XXXXXX").string();
    return std::filesystem::path(::mkdtemp(pattern.data()));
  }();
  return folder;
}

// Looks at every slot in the dialog, erases one when asked to and picks one.
class SlotHost : public qvn::NullHost {
 public:
  SlotHost(int erase_slot, int chosen_slot) : erase_slot_(erase_slot), chosen_slot_(chosen_slot) {}

  std::optional<int> ChooseSlot(qvn::SlotDialog& dialog) override {
    for (int slot = 1; slot <= 4; ++slot) {
      dialog.Select(slot);
      if (dialog.Caption().size() > qvn::kMaxLineBytes) std::abort();
      if (slot == erase_slot_) {
        dialog.PressErase();
        dialog.PressErase();
      }
    }
    dialog.Select(chosen_slot_);
    return chosen_slot_;
  }

 private:
  int erase_slot_;
  int chosen_slot_;
};

bool NamesFile(const std::string& error, const char* extension) {
  return error.find(extension) != std::string::npos;
}

}  // namespace

// Input: a control byte (bits 0-1 the slot chosen, bits 2-4 the slot erased,
// 0 or above 4 for none), the number of index records (0 to 255), the slot
// file's length as two bytes (little-endian), then the index records, the
// slot file and the story body. Slots 1 and 3 hold the slot file, slot 2 a
// fresh slot and slot 4 the slot file's first half.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const char* bytes = reinterpret_cast<const char*>(data);
  const int chosen_slot = 1 + (data[0] & 3);
  const int erase_slot = (data[0] >> 2) & 7;
  std::size_t rest = size - 4;
  std::size_t index_size = std::min<std::size_t>(rest, data[1] * qvn::kIndexRecordSize);
  rest -= index_size;
  std::size_t slot_size = std::min<std::size_t>(rest, data[2] | (data[3] << 8));
  const char* index = bytes + 4;
  const char* slot = index + index_size;
  const char* body = slot + slot_size;

  std::filesystem::remove_all(Folder());
  std::filesystem::create_directories(Folder());
  Write(Folder() / "s.qvj", index, index_size);
  Write(Folder() / "s.qvn", body, static_cast<std::size_t>(bytes + size - body));
  qvn::Bytes fresh = qvn::FreshUserData("t", qvn::StringVariables{});
  Write(Folder() / "s.Q01", slot, slot_size);
  Write(Folder() / "s.Q02", fresh.data(), fresh.size());
  Write(Folder() / "s.Q03", slot, slot_size);
  Write(Folder() / "s.Q04", slot, slot_size / 2);

  SlotHost host(erase_slot, chosen_slot);
  const std::string folder = Folder().string() + "/";
  qvn::StorySession session(host, folder, folder);
  session.SetStory((Folder() / "s.qvn").string());
  if (!session.OpenStory()) return 0;
  for (std::size_t i = 0; i < 4 && session.IsOpen(); ++i) {
    int count = session.ChoiceCount();
    if (count > 0) session.SelectChoice(1 + static_cast<int>(data[size - 1 - i % size] % count));
  }
  if (!session.IsOpen()) return 0;

  session.TempSave();
  host.last_error.clear();
  session.OpenTempSave();
  // The temporary save was written by the browser: it loads again.
  if (NamesFile(host.last_error, ".QV$")) std::abort();

  host.last_error.clear();
  session.ReopenStory();
  // So does the slot it saved on closing.
  if (NamesFile(host.last_error, ".Q0")) std::abort();
  session.CloseStory();
  return 0;
}
