#pragma once
// The editor's find bar (Ctrl+F): Enter finds the next place, Shift+Enter the
// one before, both wrapping around with a note; a text found nowhere is said
// so. Escape closes it.
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace qvn {

class FindBar : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QWidget* parent = nullptr);
  QLineEdit* Field() const { return field_; }
  // The outcome of the last search: nothing, a wrap past an end, or no match.
  QLabel* Status() const { return status_; }

 signals:
  void FindRequested(const QString& text, bool backward);
  void Closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* field_;
  QLabel* status_;
};

}  // namespace qvn
