#include "runtime/story_trailer.h"

#include "format/markers.h"
#include "runtime/block_index.h"
#include "runtime/story_body.h"
#include "runtime/story_state.h"

namespace qvn {

StoryTrailer ReadStoryTrailer(const std::string& index_path, const std::string& body_path) {
  BlockIndex index;
  LoadIndex(index_path, index);
  // A handle of its own: the body an open story reads from is not moved.
  StoryBody body;
  body.Open(body_path);
  body.SeekBlock(index.FindBlock(kTrailerMarker));
  StoryTrailer trailer;
  for (StringVariable& variable : trailer.variables) {
    variable.label = CutBytes(body.ReadRecord(), kMaxVariableBytes);
    variable.value = CutBytes(body.ReadRecord(), kMaxVariableBytes);
  }
  trailer.title = CutBytes(body.ReadRecord(), kMaxLineBytes);
  return trailer;
}

}  // namespace qvn
