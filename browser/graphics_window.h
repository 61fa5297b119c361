#pragma once
// The graphics window: a picture a story shows beside the main window, at
// its own size, until the next block or a double click.
#include <QImage>
#include <QWidget>

namespace qvn {

class GraphicsWindow : public QWidget {
  Q_OBJECT
 public:
  // A window of its own that stays in front of `main_window`.
  explicit GraphicsWindow(QWidget* main_window);

  // Sizes the window to the picture (cut to the screen), places it beside
  // the main window and shows it.
  void ShowPicture(QImage picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* main_window_;
  QImage picture_;
};

}  // namespace qvn
