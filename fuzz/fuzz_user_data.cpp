// User data files handed to a reader: any bytes load or are refused with a
// reason, and what loads saves and loads again to the same progress.
#include <cstdint>
#include <cstdlib>

#include "format/index_record.h"
#include "runtime/user_data_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qvn::Bytes index_bytes;
  qvn::AppendIndexRecord(index_bytes, "START", 0);
  qvn::AppendIndexRecord(index_bytes, "QVNVER", 10000);
  qvn::AppendIndexRecord(index_bytes, "QVNALTER", 40);
  qvn::BlockIndex index;
  index.Assign(index_bytes);

  qvn::StoryState state;
  qvn::BytesView text(reinterpret_cast<const char*>(data), size);
  if (!qvn::ParseUserData(text, index, state).empty()) return 0;
  if (state.background_colour < 0 || state.background_colour > 16) std::abort();
  if (state.text_colour < 0 || state.text_colour > 16) std::abort();

  qvn::Bytes saved = qvn::FormatUserData(state, state.resume);
  qvn::StoryState again;
  if (!qvn::ParseUserData(saved, index, again).empty()) std::abort();
  // Line breaks inside a field cannot survive a save; everything else must.
  if (again.flags != state.flags || again.position_offset != state.position_offset ||
      again.resume != state.resume || again.text_colour != state.text_colour) {
    std::abort();
  }
  return 0;
}
