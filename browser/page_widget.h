#pragma once
// The client area of the browser window: the background and the page image
// at the scroll position. Buttons and the scroll bar are its children.
#include <QFont>
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "browser/page_text_rows.h"
#include "layout/page_colours.h"

namespace qvn {

class PageWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PageWidget(QWidget* parent);

  enum class BackgroundMode { kPlain, kStretch, kTile };
  // What lies behind the text: a plain colour (by its index) with the
  // watermark, or `picture` stretched or tiled. The picture must outlive the
  // next paint.
  void SetBackground(BackgroundMode mode, const QImage* picture, int colour_index, bool low_colour);
  void SetPage(QImage page) { page_ = std::move(page); }
  void SetScroll(int top, int visible_height);
  const QImage& Page() const { return page_; }

  // What assistive technology reads: the page's lines in reading order and
  // the story's title. A new text is announced, so that a screen reader
  // reads each new page without the reader moving anything.
  void SetReadingText(QString text, QString title);
  const QString& AccessibleText() const { return reading_text_; }
  const QString& AccessibleTitle() const { return reading_title_; }
  int AccessibleCaret() const { return reading_caret_; }
  void SetAccessibleCaret(int position);

  // Where the text's rows are drawn, so that the caret and a screen reader's
  // caret mode go through them: set with every new layout of the page.
  void SetTextRows(std::vector<TextRow> rows, const QFont& font, int line_pitch);
  const std::vector<TextRow>& TextRowsNow() const { return rows_; }
  // A character's box on the widget (scrolled as shown); empty when the
  // offset lies outside the text.
  QRect CharacterRect(int offset) const;
  // The character under a point of the widget; -1 off the text.
  int OffsetAt(QPoint point) const;

  // The caret moved to a row, given by its top and height on the page image
  // (unscrolled): the window scrolls it into view.
  std::function<void(int top, int height)> on_caret_row;
  // Called before painting, so that the window can rebuild a stale page.
  std::function<void()> before_paint;
  std::function<void()> on_resize;
  // Given the wheel turned over the page; it accepts the event or not.
  std::function<void(QWheelEvent*)> on_wheel;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // The arrows move the caret through the text, a row or a character a step.
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void RenderBackground();

  BackgroundMode mode_ = BackgroundMode::kPlain;
  const QImage* picture_ = nullptr;
  qint64 picture_key_ = 0;
  int colour_index_ = 16;
  bool low_colour_ = false;
  QImage background_;  // kept until the size or the background changes
  bool background_stale_ = true;
  QImage page_;
  int scroll_top_ = 0;
  int visible_height_ = 0;
  QString reading_text_;
  QString reading_title_;
  int reading_caret_ = 0;
  std::vector<TextRow> rows_;
  QFont row_font_;
  int line_pitch_ = 1;
};

}  // namespace qvn
