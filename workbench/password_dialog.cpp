#include "workbench/password_dialog.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "common/encoding.h"
#include "workbench/key_number.h"

namespace qvn {

namespace {

constexpr int kWidth = 286;
constexpr int kPasswordHeight = 115;
constexpr int kAboutHeight = 87;  // the row of inputs at y 88 falls outside

QFont PixelFont(const QString& family, int pixels) {
  QFont font(family);
  font.setPixelSize(pixels);
  return font;
}

}  // namespace

PasswordDialog::PasswordDialog(Mode mode, QWidget* parent)
    : QDialog(parent),
      Edit1(new QLineEdit(this)),
      Edit2(new QLineEdit(this)),
      UpDown1(new KeyArrows(Edit2, this)),
      Button1(new QPushButton(tr("Ok"), this)),
      mode_(mode) {
  setObjectName("PasswordDialog");
  setWindowTitle("QVN-Maker3");
  setFont(PixelFont("Arial", 15));
  setFixedSize(kWidth, mode == Mode::kAbout ? kAboutHeight : kPasswordHeight);

  const QFont field_font = PixelFont(QString::fromUtf8("ＭＳ ゴシック"), 15);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(4, 88, 145, 23);
  Edit1->setFont(field_font);
  Edit2->setObjectName("Edit2");
  Edit2->setGeometry(156, 88, 49, 23);
  Edit2->setFont(field_font);
  Edit2->setMaxLength(200);
  Edit2->setText(QString::number(kStartKeyNumber));
  UpDown1->setObjectName("UpDown1");
  UpDown1->setGeometry(205, 88, 15, 23);
  Button1->setObjectName("Button1");
  Button1->setGeometry(228, 88, 55, 23);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, UpDown1);
  setTabOrder(UpDown1, Button1);

  if (mode == Mode::kAbout) {
    // The hidden fields hold a valid key and a non-empty text, so the version
    // box always passes the close check.
    Edit1->setText("QVN-Maker3");
    for (QWidget* input : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                           static_cast<QWidget*>(UpDown1)})
      input->setEnabled(false);
  }
}

Bytes PasswordDialog::Password() const {
  return CutBytes(Utf8ToCp932(Edit1->text().toStdString()), kMaxLineBytes);
}

std::int16_t PasswordDialog::KeyNumber() const {
  return KeyNumberOf(Utf8ToCp932(Edit2->text().toStdString())).value_or(kStartKeyNumber);
}

void PasswordDialog::done(int result) {
  if (!PasswordInputComplete(Utf8ToCp932(Edit1->text().toStdString()),
                             Utf8ToCp932(Edit2->text().toStdString())))
    return;
  QDialog::done(result);
}

void PasswordDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  DrawLine(painter, 15, "QVN-Maker3 for Linux");
  DrawLine(painter, 55,
           mode_ == Mode::kPassword ? QString("Please enter password and key-number.")
                                    : QString("A workbench for branching text stories."));
}

void PasswordDialog::DrawLine(QPainter& painter, int top, const QString& text) {
  // Where Arial is missing its substitute may run wider; the line is
  // narrowed rather than cut at the dialog's edge.
  constexpr int kLeft = 10;
  QFont line_font = font();
  const int room = width() - 2 * kLeft;
  const int natural = QFontMetrics(line_font).horizontalAdvance(text);
  if (natural > room) line_font.setStretch(std::max(50, 100 * room / natural));
  painter.setFont(line_font);
  painter.drawText(kLeft, top + painter.fontMetrics().ascent(), text);
}

void PasswordDialog::mousePressEvent(QMouseEvent* event) {
  if (mode_ == Mode::kAbout) {
    accept();
    return;
  }
  QDialog::mousePressEvent(event);
}

void PasswordDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

}  // namespace qvn
