#include "workbench/picture_open_dialog.h"

#include <QGridLayout>
#include <QImageReader>
#include <QPixmap>

namespace qvn {

namespace {
constexpr int kPreviewSize = 160;
}

PictureOpenDialog::PictureOpenDialog(QWidget* parent, const QString& title, const QString& filter)
    : QFileDialog(parent, title, QString(), filter), preview_(new QLabel(this)) {
  // The preview pane needs Qt's own dialog, whose layout can take it.
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::ReadOnly);
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  preview_->setObjectName("Preview");
  preview_->setFixedSize(kPreviewSize, kPreviewSize);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setFrameShape(QFrame::StyledPanel);
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->addWidget(preview_, 1, grid->columnCount(), grid->rowCount() - 1, 1);
  connect(this, &QFileDialog::currentChanged, this, &PictureOpenDialog::ShowPreview);
}

void PictureOpenDialog::ShowPreview(const QString& path) {
  QImageReader reader(path);
  QImage image = reader.read();
  if (image.isNull()) {
    preview_->clear();
    return;
  }
  preview_->setPixmap(QPixmap::fromImage(
      image.scaled(kPreviewSize, kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace qvn
