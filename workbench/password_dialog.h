#pragma once
// The password and key-number dialog; with its inputs hidden and disabled it
// is also the version box.
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "common/bytes.h"
#include "workbench/key_arrows.h"

namespace qvn {

class PasswordDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Mode { kPassword, kAbout };

  PasswordDialog(Mode mode, QWidget* parent);

  // Bytes of the password field, cut at 255; the key field's number (only
  // meaningful once the dialog has closed, which needs valid input).
  Bytes Password() const;
  std::int16_t KeyNumber() const;

  // Every close, whatever asks for it, goes through the input check; a refused
  // close is silent and leaves the fields as they are.
  void done(int result) override;

  QLineEdit* Edit1;  // password
  QLineEdit* Edit2;  // key number
  KeyArrows* UpDown1;
  QPushButton* Button1;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void DrawLine(QPainter& painter, int top, const QString& text);

  Mode mode_;
};

}  // namespace qvn
