// The workbench's "Web用に書き出す...": the compiled story as one HTML page
// beside it, compiled first when the source is newer; what was written and
// what is missing goes into the compile log.
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QUrl>
#include <filesystem>

#include "platform/file_names.h"
#include "web/export/web_export.h"
#include "workbench/main_form.h"

namespace qvn {

namespace {

const QColor kWarningColour(0, 0, 255);
const QColor kErrorColour(255, 0, 0);

// True when there is no compiled story or the source was changed after it.
bool StoryOlderThanSource(const std::string& source, const std::string& story) {
  std::error_code ec;
  std::optional<std::filesystem::path> compiled = ResolveExisting(story);
  if (!compiled) return true;
  auto story_time = std::filesystem::last_write_time(*compiled, ec);
  if (ec) return true;
  auto source_time = std::filesystem::last_write_time(source, ec);
  return !ec && source_time > story_time;
}

}  // namespace

void MainForm::WebExport1Click() {
  if (compiling_ || !WebExport1->isEnabled() || !CloseBuiltInEditing()) return;
  std::string story = base_path_ + ".qvn";
  if (StoryOlderThanSource(source_path_, story))
    Compile1Click();
  else
    Memo1->ClearLog();
  WebExportResult result;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  result = ExportWebPage(story);
  QApplication::restoreOverrideCursor();
  for (const std::string& warning : result.warnings)
    Memo1->AppendLine(QString::fromStdString(warning), kWarningColour);
  if (result.outcome != WebExportOutcome::kWritten) {
    Memo1->AppendLine(tr("Web用に書き出せません : %1").arg(QString::fromStdString(result.error)),
                      kErrorColour);
    return;
  }
  QString page = QFile::decodeName(result.output.c_str());
  Memo1->AppendLine(tr("Web用に書き出しました : %1").arg(page));
  if (QMessageBox::question(this, windowTitle(), tr("書き出したページをブラウザで開きますか?")) ==
      QMessageBox::Yes)
    QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

}  // namespace qvn
