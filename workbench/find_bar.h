#pragma once
// The editor's find bar (Ctrl+F): Enter finds the next place, Shift+Enter the
// one before, both wrapping around; Escape closes it.
#include <QLineEdit>
#include <QWidget>

namespace qvn {

class FindBar : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QWidget* parent = nullptr);
  QLineEdit* Field() const { return field_; }

 signals:
  void FindRequested(const QString& text, bool backward);
  void Closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* field_;
};

}  // namespace qvn
