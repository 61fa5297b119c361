// The workbench's looks at the compiled story: the check of what a reader can
// reach, written into the compile log, and the drawing of its block graph,
// laid out off the window's thread in bounded time and memory.
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <atomic>
#include <memory>
#include <optional>

#include "analysis/exploration_report.h"
#include "analysis/graph_dot.h"
#include "analysis/graph_svg.h"
#include "analysis/loaded_story.h"
#include "analysis/story_explorer.h"
#include "analysis/story_outline.h"
#include "common/encoding.h"
#include "platform/file_io.h"
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

// What the worker made of the story: its graph as DOT and, unless cancelled
// or out of bounds, as SVG.
struct GraphJob {
  std::atomic<bool> cancel{false};
  std::string dot;
  SvgResult drawn;
  std::size_t blocks = 0;
  std::size_t ways = 0;
};

// Explores and lays out the story on a worker thread, the window kept alive
// with a progress dialog whose button cancels both.
std::shared_ptr<GraphJob> DrawOffThread(QWidget* parent, const LoadedStory& story,
                                        const Bytes* around) {
  auto job = std::make_shared<GraphJob>();
  std::optional<Bytes> centre;
  if (around) centre = *around;
  QProgressDialog progress(
      QCoreApplication::translate("qvn::MainForm", "ストーリー図を描いています…"),
      QCoreApplication::translate("qvn::MainForm", "中止"), 0, 0, parent);
  progress.setObjectName("GraphProgress");
  progress.setWindowTitle(QCoreApplication::translate("qvn::MainForm", "ストーリー図"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  std::unique_ptr<QThread> worker(QThread::create([job, &story, centre] {
    Exploration found = ExploreStory(story.body, story.index, kDefaultMaxStates, &job->cancel);
    StoryOutline outline = ReadOutline(story.body, story.index);
    job->blocks = outline.blocks.size();
    job->ways = WayCount(outline);
    job->dot = StoryGraphDot(outline, story.index, &found, centre ? &*centre : nullptr);
    job->drawn = RenderSvg(job->dot, {}, &job->cancel);
  }));
  QEventLoop loop;
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  QObject::connect(&progress, &QProgressDialog::canceled, &loop, [job] { job->cancel = true; });
  worker->start();
  progress.show();
  loop.exec();
  worker->wait();
  return job;
}

void SaveDot(QWidget* parent, const std::string& dot, const QString& suggested) {
  QString path = QFileDialog::getSaveFileName(
      parent, QCoreApplication::translate("qvn::MainForm", "ストーリー図の保存"), suggested,
      "DOT (*.dot *.gv)");
  if (path.isEmpty()) return;
  FileResult written = WriteFileAtomic(QFile::encodeName(path).toStdString(), dot);
  if (!written.ok)
    QMessageBox::critical(parent, QCoreApplication::translate("qvn::MainForm", "ストーリー図"),
                          path + "\n" + QString::fromStdString(written.reason));
}

}  // namespace

bool MainForm::LoadCompiledStory(LoadedStory& story) {
  std::string error;
  if (LoadStoryForAnalysis(base_path_ + ".qvn", story, error)) return true;
  Memo1->AppendLine(
      tr("コンパイル済みのストーリーを読めません : %1").arg(QString::fromStdString(error)),
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
  Memo1->AppendLine(
      tr("ストーリー検査 : %1").arg(QFile::decodeName((base_path_ + ".qvn").c_str())));
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
  if (!LoadCompiledStory(story)) return;
  std::shared_ptr<GraphJob> job = DrawOffThread(this, story, nullptr);
  if (job->drawn.outcome == SvgOutcome::kTooLarge) {
    QMessageBox question(QMessageBox::Information, tr("ストーリー図"),
                         tr("このストーリーは大きすぎて、決められた時間とメモリの中では図にでき"
                            "ません（%1 ブロック、%2 本の矢印）。\nDOT 形式で保存するか、"
                            "選んだブロックの周りだけを描くことができます。")
                             .arg(job->blocks)
                             .arg(job->ways),
                         QMessageBox::NoButton, this);
    question.setObjectName("GraphTooLarge");
    QPushButton* save_dot = question.addButton(tr("DOT で保存(&D)"), QMessageBox::ActionRole);
    save_dot->setObjectName("SaveDot");
    QPushButton* part = question.addButton(tr("ブロックの周り(&B)"), QMessageBox::ActionRole);
    part->setObjectName("AroundBlock");
    question.addButton(tr("閉じる"), QMessageBox::RejectRole);
    question.exec();
    if (question.clickedButton() == save_dot) {
      SaveDot(this, job->dot, QFile::decodeName((base_path_ + ".dot").c_str()));
      return;
    }
    if (question.clickedButton() != part) return;
    QStringList names;
    for (std::size_t record = 1; record <= story.index.Count(); ++record) {
      BytesView name = story.index.Record(record).Name();
      if (!StartsWith(name, "QVN")) names << FromCp932(name);
    }
    bool chosen = false;
    QString name = QInputDialog::getItem(this, tr("ストーリー図"), tr("中心にするブロック :"),
                                         names, 0, true, &chosen);
    if (!chosen || name.isEmpty()) return;
    Bytes around = Utf8ToCp932(name.toStdString());
    job = DrawOffThread(this, story, &around);
  }
  if (job->drawn.outcome == SvgOutcome::kCancelled) return;
  if (job->drawn.outcome != SvgOutcome::kDrawn) {
    Memo1->AppendLine(QString::fromStdString(job->drawn.error), kErrorColour);
    return;
  }
  StoryGraphWindow window(QByteArray::fromStdString(job->drawn.svg),
                          QFile::decodeName((base_path_ + ".svg").c_str()), this);
  window.exec();
}

}  // namespace qvn
