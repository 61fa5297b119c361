#include "browser/page_widget.h"

#include <QPainter>

namespace qvn {

PageWidget::PageWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void PageWidget::SetScroll(int top, int visible_height) {
  scroll_top_ = top;
  visible_height_ = visible_height;
  update();
}

void PageWidget::paintEvent(QPaintEvent*) {
  if (before_paint) before_paint();
  QPainter painter(this);
  painter.fillRect(rect(), QColor(background_.red, background_.green, background_.blue));
  if (page_.isNull() || visible_height_ <= 0) return;
  // Rows above the visible height are cut, so that only whole rows show.
  QRect source(0, scroll_top_, page_.width(), visible_height_);
  source = source.intersected(page_.rect());
  if (source.isEmpty()) return;
  painter.drawImage(QPoint(1, 0), page_, source);
}

void PageWidget::resizeEvent(QResizeEvent*) {
  if (on_resize) on_resize();
}

}  // namespace qvn
