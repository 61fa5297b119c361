#include "workbench/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace qvn {

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
  setObjectName("FindBar");
  setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(new QLabel(tr("検索:"), this));
  field_ = new QLineEdit(this);
  field_->setObjectName("FindText");
  layout->addWidget(field_, 1);
  status_ = new QLabel(this);
  status_->setObjectName("FindStatus");
  // The note keeps its whole width; the field gives way.
  status_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
  layout->addWidget(status_);
  field_->installEventFilter(this);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (!field_->text().isEmpty())
        emit FindRequested(field_->text(), key->modifiers() & Qt::ShiftModifier);
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      emit Closed();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qvn
