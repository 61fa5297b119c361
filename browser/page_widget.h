#pragma once
// The client area of the browser window: the background and the page image
// at the scroll position. Buttons and the scroll bar are its children.
#include <QImage>
#include <QWidget>
#include <functional>

#include "browser/layout/page_colours.h"

namespace qvn {

class PageWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PageWidget(QWidget* parent);

  void SetBackgroundColour(Rgb colour) { background_ = colour; }
  void SetPage(QImage page) { page_ = std::move(page); }
  void SetScroll(int top, int visible_height);
  const QImage& Page() const { return page_; }

  // Called before painting, so that the window can rebuild a stale page.
  std::function<void()> before_paint;
  std::function<void()> on_resize;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Rgb background_{0, 0, 0};
  QImage page_;
  int scroll_top_ = 0;
  int visible_height_ = 0;
};

}  // namespace qvn
