#include "workbench/key_arrows.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "common/encoding.h"
#include "common/number_field.h"
#include "workbench/key_number.h"

namespace qvn {

KeyArrows::KeyArrows(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent),
      buddy_(buddy),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      position_(kStartKeyNumber) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(button);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  up_->setObjectName("UpArrow");
  down_->setObjectName("DownArrow");
  connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
  buddy_->installEventFilter(this);
}

bool KeyArrows::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buddy_ && event->type() == QEvent::KeyPress && isEnabled()) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
      if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        Step(key->key() == Qt::Key_Up ? 1 : -1);
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void KeyArrows::Step(int delta) {
  auto number = ParseNumberField(Utf8ToCp932(buddy_->text().toStdString()));
  if (number) position_ = *number;
  position_ = StepKeyNumber(position_, delta);
  buddy_->setText(QString::number(position_));
}

}  // namespace qvn
