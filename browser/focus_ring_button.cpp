#include "browser/focus_ring_button.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "layout/window_geometry.h"

namespace qvn {

namespace {
constexpr int kRingWidth = 2;
// Ring and frame on each side, with a pixel to spare.
constexpr int kTextMarginX = 6;
constexpr int kTextMarginY = 4;
}  // namespace

QSize FocusRingButton::sizeHint() const {
  QFontMetrics metrics(font());
  const int text_width = metrics.horizontalAdvance(text());
  return QSize(std::max(kChoiceButtonSize.width, text_width + 2 * kTextMarginX),
               std::max(kChoiceButtonSize.height, metrics.height() + 2 * kTextMarginY));
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
