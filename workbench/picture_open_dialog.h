#pragma once
// A file dialog with a preview of the selected picture.
#include <QFileDialog>
#include <QLabel>

namespace qvn {

class PictureOpenDialog : public QFileDialog {
  Q_OBJECT

 public:
  PictureOpenDialog(QWidget* parent, const QString& title, const QString& filter);

 private:
  void ShowPreview(const QString& path);

  QLabel* preview_;
};

}  // namespace qvn
