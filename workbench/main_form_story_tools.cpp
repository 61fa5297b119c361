// The workbench's looks at the compiled story: the check of what a reader can
// reach, written into the compile log, and the drawing of its block graph.
#include <QApplication>
#include <QFile>

#include "cli/explore_story.h"
#include "cli/graph_dot.h"
#include "cli/graph_svg.h"
#include "common/encoding.h"
#include "platform/file_io.h"
#include "runtime/exploration_report.h"
#include "runtime/story_explorer.h"
#include "runtime/story_outline.h"
#include "workbench/block_head_lines.h"
#include "workbench/main_form.h"
#include "workbench/story_graph_window.h"

namespace qvn {

namespace {

const QColor kProblemColour(0, 0, 255);
const QColor kErrorColour(255, 0, 0);

QString FromCp932(BytesView text) {
  return QString::fromStdString(Cp932ToUtf8(text));
}

// The busy pointer while the story is explored.
class BusyPointer {
 public:
  BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

bool MainForm::LoadCompiledStory(LoadedStory& story) {
  std::string error;
  if (LoadStoryForAnalysis(base_path_ + ".qvn", story, error)) return true;
  Memo1->AppendLine(QString::fromUtf8("コンパイル済みのストーリーを読めません : ") +
                        QString::fromStdString(error),
                    kErrorColour);
  return false;
}

void MainForm::StoryCheck1Click() {
  if (compiling_ || !StoryCheck1->isEnabled() || !CloseBuiltInEditing()) return;
  Memo1->ClearLog();
  LoadedStory story;
  if (!LoadCompiledStory(story)) return;
  Exploration found;
  {
    BusyPointer busy;
    found = ExploreStory(story.body, story.index);
  }
  // A problem leads to its block's head in the source, when the source has it.
  Bytes source;
  std::map<Bytes, int> heads;
  if (ReadWholeFile(source_path_, source).ok) heads = BlockHeadLines(source);
  Memo1->AppendLine(QString::fromUtf8("ストーリー検査 : ") +
                    QFile::decodeName((base_path_ + ".qvn").c_str()));
  for (const ReportLine& line : ExplorationReport(found, WayForm::kWords)) {
    if (!line.problem) {
      Memo1->AppendLine(FromCp932(line.text));
      continue;
    }
    auto head = heads.find(line.block);
    Memo1->AppendLine(FromCp932(line.text), kProblemColour, head == heads.end() ? 0 : head->second);
  }
}

void MainForm::StoryGraph1Click() {
  if (compiling_ || !StoryGraph1->isEnabled() || !CloseBuiltInEditing()) return;
  LoadedStory story;
  std::string svg;
  std::string error;
  {
    BusyPointer busy;
    if (!LoadCompiledStory(story)) return;
    Exploration found = ExploreStory(story.body, story.index);
    std::string dot = StoryGraphDot(ReadOutline(story.body, story.index), story.index, &found);
    if (!RenderSvg(dot, svg, error)) {
      Memo1->AppendLine(QString::fromStdString(error), kErrorColour);
      return;
    }
  }
  StoryGraphWindow window(QByteArray::fromStdString(svg),
                          QFile::decodeName((base_path_ + ".svg").c_str()), this);
  window.exec();
}

}  // namespace qvn
