#include "browser/page_widget.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "browser/page_accessible.h"
#include "browser/watermark.h"
#include "layout/background_geometry.h"

namespace qvn {

PageWidget::PageWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  // Qt keeps each factory once, however many pages install it.
  QAccessible::installFactory(PageAccessibleFactory);
}

void PageWidget::SetReadingText(QString text, QString title) {
  if (title != reading_title_) {
    reading_title_ = std::move(title);
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
  if (text == reading_text_) return;
  QString old_text = std::exchange(reading_text_, std::move(text));
  reading_caret_ = 0;
  QAccessibleTextUpdateEvent event(this, 0, old_text, reading_text_);
  QAccessible::updateAccessibility(&event);
}

void PageWidget::SetAccessibleCaret(int position) {
  reading_caret_ = std::clamp(position, 0, static_cast<int>(reading_text_.size()));
  QAccessibleTextCursorEvent event(this, reading_caret_);
  QAccessible::updateAccessibility(&event);
}

void PageWidget::SetTextRows(std::vector<TextRow> rows, const QFont& font, int line_pitch) {
  rows_ = std::move(rows);
  row_font_ = font;
  line_pitch_ = std::max(line_pitch, 1);
}

// The page image lies at x 1 and its rows' text at x 1, y 1 in it.
QRect PageWidget::CharacterRect(int offset) const {
  if (rows_.empty() || offset < 0 || offset > static_cast<int>(reading_text_.size())) return {};
  const int r = RowAt(rows_, offset);
  const TextRow& row = rows_[static_cast<std::size_t>(r)];
  const int column = std::clamp(offset - row.start, 0, row.length);
  QFontMetricsF metrics(row_font_);
  const qreal left = metrics.horizontalAdvance(reading_text_.mid(row.start, column));
  const QString here = reading_text_.mid(offset, 1);
  // The "\n" after a row, and the end of the text, are a narrow place.
  const qreal width = column < row.length ? metrics.horizontalAdvance(here) : 1;
  const int top = r * line_pitch_ + 1 - scroll_top_;
  return QRect(qRound(2 + left), top, std::max(1, qRound(width)), line_pitch_);
}

int PageWidget::OffsetAt(QPoint point) const {
  if (rows_.empty() || point.y() < 0) return -1;
  const int r = (point.y() - 1 + scroll_top_) / line_pitch_;
  if (r < 0 || r >= static_cast<int>(rows_.size())) return -1;
  const TextRow& row = rows_[static_cast<std::size_t>(r)];
  QFontMetricsF metrics(row_font_);
  qreal left = 2;
  for (int column = 0; column < row.length; ++column) {
    const qreal right = left + metrics.horizontalAdvance(reading_text_.mid(row.start + column, 1));
    if (point.x() >= left && point.x() < right) return row.start + column;
    left = right;
  }
  return -1;
}

void PageWidget::keyPressEvent(QKeyEvent* event) {
  if (rows_.empty() || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    QWidget::keyPressEvent(event);
    return;
  }
  const int r = RowAt(rows_, reading_caret_);
  const auto rows = static_cast<int>(rows_.size());
  int caret = reading_caret_;
  switch (event->key()) {
    case Qt::Key_Left:
      caret = std::max(0, caret - 1);
      break;
    case Qt::Key_Right:
      caret = std::min(static_cast<int>(reading_text_.size()), caret + 1);
      break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int to = event->key() == Qt::Key_Up ? r - 1 : r + 1;
      if (to < 0 || to >= rows) break;
      // The same column where the row is long enough, else its end.
      const TextRow& row = rows_[static_cast<std::size_t>(to)];
      caret = row.start + std::min(caret - rows_[static_cast<std::size_t>(r)].start, row.length);
      break;
    }
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  SetAccessibleCaret(caret);
  const int at = RowAt(rows_, caret);
  if (on_caret_row) on_caret_row(at * line_pitch_, line_pitch_);
  update();
}

void PageWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void PageWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void PageWidget::SetScroll(int top, int visible_height) {
  scroll_top_ = top;
  visible_height_ = visible_height;
  update();
}

void PageWidget::SetBackground(BackgroundMode mode, const QImage* picture, int colour_index,
                               bool low_colour) {
  if (picture && (picture->isNull() || picture->width() * picture->height() == 0))
    mode = BackgroundMode::kPlain;
  if (mode == BackgroundMode::kPlain) picture = nullptr;
  qint64 picture_key = picture ? picture->cacheKey() : 0;
  // The same background again (the common case from page to page) is kept.
  if (mode == mode_ && picture_key == picture_key_ && colour_index == colour_index_ &&
      low_colour == low_colour_)
    return;
  mode_ = mode;
  picture_ = picture;
  picture_key_ = picture_key;
  colour_index_ = colour_index;
  low_colour_ = low_colour;
  background_stale_ = true;
}

void PageWidget::RenderBackground() {
  background_stale_ = false;
  const qreal ratio = devicePixelRatioF();
  if (background_.deviceIndependentSize() != QSizeF(size()) ||
      background_.devicePixelRatio() != ratio) {
    background_ = QImage(size() * ratio, QImage::Format_RGB32);
    background_.setDevicePixelRatio(ratio);
  }
  QPainter painter(&background_);
  painter.fillRect(rect(), Qt::black);
  // The text area: the client area left of the scroll bar.
  Size area{width() - kScrollBarWidth, height()};
  auto colour = [](Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); };
  if (mode_ == BackgroundMode::kTile && picture_) {
    for (Point at : TileOrigins(area, {picture_->width(), picture_->height()}))
      painter.drawImage(at.x, at.y, *picture_);
    return;
  }
  if (mode_ == BackgroundMode::kStretch && picture_) {
    StretchLayout layout = StretchPicture(area, {picture_->width(), picture_->height()});
    QColor bar = picture_->pixelColor(0, 0);
    for (const Rect& r : layout.bars) painter.fillRect(r.left, r.top, r.Width(), r.Height(), bar);
    const Rect& p = layout.picture;
    painter.drawImage(QRect(p.left, p.top, p.Width(), p.Height()), *picture_);
    return;
  }
  painter.fillRect(0, 0, area.width, area.height, colour(BackgroundColour(colour_index_)));
  PaintWatermark(painter, area, colour(WatermarkColour(colour_index_, low_colour_)),
                 WatermarkFont());
}

void PageWidget::paintEvent(QPaintEvent*) {
  if (before_paint) before_paint();
  if (background_stale_ || background_.deviceIndependentSize() != QSizeF(size()) ||
      background_.devicePixelRatio() != devicePixelRatioF())
    RenderBackground();
  QPainter painter(this);
  painter.drawImage(0, 0, background_);
  if (page_.isNull() || visible_height_ <= 0) return;
  // Rows above the visible height are cut, so that only whole rows show. The
  // page may have more pixels than logical ones: the source is in its pixels.
  const qreal scale = page_.devicePixelRatio();
  QRect source(0, qRound(scroll_top_ * scale), page_.width(), qRound(visible_height_ * scale));
  source = source.intersected(page_.rect());
  if (source.isEmpty()) return;
  painter.drawImage(QRectF(1, 0, source.width() / scale, source.height() / scale), page_, source);
  // The caret, where the keyboard reads: a bar in the scheme's highlight.
  if (hasFocus()) {
    QRect caret = CharacterRect(reading_caret_);
    if (!caret.isEmpty())
      painter.fillRect(QRect(caret.left() - 1, caret.top(), 2, caret.height()),
                       palette().color(QPalette::Highlight));
  }
}

void PageWidget::resizeEvent(QResizeEvent*) {
  if (on_resize) on_resize();
}

void PageWidget::wheelEvent(QWheelEvent* event) {
  if (on_wheel) {
    on_wheel(event);
  } else {
    event->ignore();
  }
}

}  // namespace qvn
