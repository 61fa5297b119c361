#include "browser/graphics_window.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

#include "layout/background_geometry.h"

namespace qvn {

GraphicsWindow::GraphicsWindow(QWidget* main_window)
    : QWidget(main_window, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      main_window_(main_window) {
  setObjectName("Form2");
  setWindowTitle("Graphic(QVN Browser)");
}

void GraphicsWindow::ShowPicture(QImage picture) {
  picture_ = std::move(picture);
  QScreen* screen = main_window_->screen();
  QRect available = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  Size size = GraphicsWindowSize({picture_.width(), picture_.height()},
                                 {available.width(), available.height()});
  setFixedSize(size.width, size.height);

  // Outer sizes: this window's frame is taken to be as wide as the main one's.
  QRect main_frame = main_window_->frameGeometry();
  QSize frame_extra = main_frame.size() - main_window_->geometry().size();
  Size outer{size.width + frame_extra.width(), size.height + frame_extra.height()};
  Point at = GraphicsWindowPosition(
      {main_frame.left(), main_frame.top(), main_frame.right() + 1, main_frame.bottom() + 1}, outer,
      {available.width(), available.height()});
  move(at.x, at.y);
  show();
  // Drawn now, in the middle of the block, as the reader expects to see it.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  main_window_->raise();
}

void GraphicsWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void GraphicsWindow::mouseDoubleClickEvent(QMouseEvent*) { close(); }

void GraphicsWindow::hideEvent(QHideEvent*) {
  // The picture's memory goes with the window; the next picture brings its own.
  picture_ = QImage();
}

}  // namespace qvn
