// The browser window, offscreen: start to the first page painted, a choice to
// the next full page drawn at 1280 x 960, and resident memory over 1,000
// choices.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/story_generator.h"
#include "browser/main_form.h"
#include "browser/page_widget.h"
#include "compiler/compile.h"

namespace {

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  fs::path folder = fs::temp_directory_path() / "qvn-bench-browser";
  fs::remove_all(folder);
  fs::create_directories(folder / "program");
  {
    std::ofstream out(folder / "story.src", std::ios::binary);
    out << qvn::bench::GenerateStorySource(300, 70);
  }
  qvn::NullLogSink sink;
  if (qvn::Compile((folder / "story.src").string(), {}, sink).outcome !=
      qvn::CompileOutcome::kSuccess) {
    std::printf("compile failed\n");
    return 1;
  }

  auto start = std::chrono::steady_clock::now();
  QApplication application(argc, argv);
  // Answers the slot dialog and the new-game prompt with Ok.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
      if (auto* ok = dialog->findChild<QPushButton*>("OkButton")) ok->click();
  });
  answer.start(0);
  qvn::MainForm form((folder / "program").string() + "/");
  form.SetCommandLineStory((folder / "story.qvn").string());
  form.show();
  while (!form.Session().IsOpen()) QApplication::processEvents();
  form.Page()->repaint();
  double first_page_ms = Since(start);
  answer.stop();

  // The client area at 1280 x 960.
  QSize extra = form.size() - form.Page()->size();
  form.resize(1280 + extra.width(), 960 + extra.height());
  QApplication::processEvents();
  std::printf("window client area: %d x %d, %d bytes per row, %d px per row\n",
              form.Page()->width(), form.Page()->height(), form.BytesPerRowNow(),
              form.Metrics().line_pitch);

  std::mt19937 random(7);
  const int choices = 1000;
  long rss_at_100 = 0;
  double total_ms = 0, worst_ms = 0, block_ms = 0;
  int rows_drawn = 0;
  for (int i = 1; i <= choices; ++i) {
    int count = form.Session().ChoiceCount();
    auto choice_start = std::chrono::steady_clock::now();
    form.Session().SelectChoice(1 + static_cast<int>(random() % static_cast<unsigned>(count)));
    block_ms += Since(choice_start);
    form.Page()->repaint();
    double ms = Since(choice_start);
    total_ms += ms;
    worst_ms = std::max(worst_ms, ms);
    rows_drawn = form.Page()->Page().height() / form.Metrics().line_pitch;
    if (i == 100) rss_at_100 = ResidentKilobytes();
  }
  long rss_at_1000 = ResidentKilobytes();
  std::printf("start to first page painted (in process, Qt start included): %.1f ms\n",
              first_page_ms);
  std::printf("choice to next full page drawn (%d rows): mean %.2f ms, worst %.2f ms over %d\n",
              rows_drawn, total_ms / choices, worst_ms, choices);
  std::printf("  of which the block and the page image: mean %.2f ms; painting the window: %.2f ms\n",
              block_ms / choices, (total_ms - block_ms) / choices);
  std::printf("resident memory: %.1f MB after 100 choices, %.1f MB after 1000 (growth %.1f MB)\n",
              rss_at_100 / 1024.0, rss_at_1000 / 1024.0, (rss_at_1000 - rss_at_100) / 1024.0);
  form.close();
  fs::remove_all(folder);
  return 0;
}
