#pragma once
// A choice button that always shows when it has the focus: Enter presses the
// focused choice, so the reader must see which one that is, however the focus
// came there (the first page, an arrow key, the program) and in any colour
// scheme. The style's own focus frame shows only after some keys.
#include <QPushButton>

namespace qvn {

class FocusRingButton : public QPushButton {
  Q_OBJECT
 public:
  using QPushButton::QPushButton;

  // The layout's 41 × 25 pixels, or more where the caption needs it (large
  // text): the caption inside the ring with room to spare, never clipped.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qvn
