#include "browser/story_open_dialog.h"

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>
#include <memory>

namespace qvn {

namespace {

// The type column in the reader's language: Qt's translations leave
// "Folder" and "File" in English.
class FileTypes : public QAbstractFileIconProvider {
 public:
  QString type(const QFileInfo& info) const override {
    if (info.isDir()) return QCoreApplication::translate("qvn::StoryOpenDialog", "フォルダー");
    QString suffix = info.suffix();
    if (suffix.isEmpty()) return QCoreApplication::translate("qvn::StoryOpenDialog", "ファイル");
    return QCoreApplication::translate("qvn::StoryOpenDialog", "%1 ファイル").arg(suffix.toUpper());
  }
};

constexpr int kDialogWidth = 760;
constexpr int kDialogHeight = 460;

}  // namespace

QString ChooseStoryFile(QWidget* parent, const QString& start_folder) {
  FileTypes types;  // outlives the dialog that uses it
  QFileDialog dialog(parent, "Open Tessaline Novel File", start_folder,
                     "Tessaline Novel Files (*.qvn *.QVN)");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setViewMode(QFileDialog::Detail);
  dialog.setIconProvider(&types);
  dialog.resize(kDialogWidth, kDialogHeight);
  // The size, type and date columns take what their texts need once the
  // folder has been read; the name column has the rest.
  auto* view = dialog.findChild<QTreeView*>();
  auto* model = dialog.findChild<QFileSystemModel*>();
  if (view && model) {
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [view] {
      for (int column = 1; column <= 3; ++column) view->resizeColumnToContents(column);
    });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace qvn
