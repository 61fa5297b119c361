#pragma once
// The up and down arrows bound to the key-number field. The field stays a
// free text box (it accepts "$" hexadecimal and text the close check refuses);
// the arrows step the number it holds and wrap at the ends of the range.
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace qvn {

class KeyArrows : public QWidget {
  Q_OBJECT

 public:
  KeyArrows(QLineEdit* buddy, QWidget* parent);

  // One step up (+1) or down (-1) from the field's number; a field that holds
  // no number steps from the arrows' last position.
  void Step(int delta);
  int Position() const { return position_; }

 protected:
  // The Up and Down keys in the field step it as the arrows do.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* buddy_;
  QToolButton* up_;
  QToolButton* down_;
  int position_;
};

}  // namespace qvn
