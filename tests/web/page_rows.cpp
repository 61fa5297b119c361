// Prints the rows QVN3's layout gives for the page a story shows after some
// choices: the web page's rows are checked against them.
//   qvn_page_rows STORY BYTES_PER_ROW [K]...
// Slot 1 and the default value of every variable, as the web test answers.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/encoding.h"
#include "layout/page_breaking.h"
#include "runtime/null_host.h"
#include "runtime/story_session.h"

namespace {

class PageHost : public qvn::NullHost {
 public:
  std::vector<qvn::Bytes> lines;
  void ResetPage(const std::vector<qvn::Bytes>& page, const qvn::StoryState&) override {
    lines = page;
  }
  void PageLineAdded(qvn::BytesView line) override { lines.emplace_back(line); }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: qvn_page_rows STORY BYTES_PER_ROW [K]...\n");
    return 64;
  }
  const char* tmp = std::getenv("TEST_TMPDIR");
  std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/";
  PageHost host;
  qvn::StorySession session(host, folder, folder);
  session.SetStory(argv[1]);
  if (!session.OpenStory()) return 1;
  for (int i = 3; i < argc; ++i) session.SelectChoice(std::atoi(argv[i]));
  int bytes_per_row = std::atoi(argv[2]);
  for (const qvn::Bytes& line : host.lines) {
    for (qvn::BytesView row : qvn::BreakLine(line, bytes_per_row))
      std::printf("%s\n", qvn::Cp932ToUtf8(row).c_str());
  }
  return 0;
}
