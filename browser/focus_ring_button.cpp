#include "browser/focus_ring_button.h"

#include <QPainter>

namespace qvn {

namespace {
constexpr int kRingWidth = 2;
}

void FocusRingButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (!hasFocus()) return;
  // A ring in the scheme's highlight colour, one pixel inside the edge.
  QPainter painter(this);
  QColor ring = palette().color(QPalette::Highlight);
  QRect inner = rect().adjusted(1, 1, -1, -1);
  painter.fillRect(QRect(inner.left(), inner.top(), inner.width(), kRingWidth), ring);
  painter.fillRect(QRect(inner.left(), inner.bottom() - kRingWidth + 1, inner.width(), kRingWidth),
                   ring);
  painter.fillRect(QRect(inner.left(), inner.top(), kRingWidth, inner.height()), ring);
  painter.fillRect(QRect(inner.right() - kRingWidth + 1, inner.top(), kRingWidth, inner.height()),
                   ring);
}

}  // namespace qvn
