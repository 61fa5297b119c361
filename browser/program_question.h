#pragma once
// The question asked before a story starts a program: the story's title, the
// program's full path and its arguments, and three answers. Not starting it
// is the default (Enter on it, Escape, closing the question).
#include <QDialog>

#include "runtime/host.h"

class QLabel;
class QPushButton;

namespace qvn {

class ProgramQuestion : public QDialog {
  Q_OBJECT
 public:
  ProgramQuestion(QWidget* parent, const ProgramRequest& request);

  // Shows the question until it is answered.
  static ProgramAnswer Ask(QWidget* parent, const ProgramRequest& request);

  QLabel* Text() const { return text_; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* DoNotStartButton() const { return do_not_start_; }
  QPushButton* AlwaysButton() const { return always_; }

 protected:
  // The focus starts on "do not start", so that Enter alone starts nothing.
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* text_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* do_not_start_ = nullptr;
  QPushButton* always_ = nullptr;
};

}  // namespace qvn
