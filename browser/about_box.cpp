#include "browser/about_box.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "browser/qt_text.h"
#include "browser/runtime_text.h"
#include "gui/close_on_signals.h"
#include "runtime/slot_dialog.h"

namespace qvn {

namespace {

constexpr int kWidth = 277;
constexpr int kSmallHeight = 124;
constexpr int kSlotHeight = 173;
constexpr int kSlotGroupTop = 116;
constexpr std::size_t kMaxValueBytes = 16;

QFont DialogFont(bool italic) {
  QFont font(FromUtf8(u8"ＭＳ ゴシック"));
  font.setPixelSize(15);
  font.setBold(true);
  font.setItalic(italic);
  return font;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent, Use use)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), use_(use) {
  setObjectName("AboutBox");
  setWindowTitle(tr("QVNブラウザ Dialog"));
  setModal(true);
  setFont(DialogFont(false));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(255, 255, 192));
  palette.setColor(QPalette::WindowText, Qt::black);
  setPalette(palette);
  setFixedSize(kWidth, use == Use::kSlots ? kSlotHeight : kSmallHeight);

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setGeometry(8, 4, 261, 53);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  panel->setAutoFillBackground(true);
  QPalette silver = panel->palette();
  silver.setColor(QPalette::Window, QColor(192, 192, 192));
  panel->setPalette(silver);
  auto* product = new QLabel(tr("QVNブラウザ v3.20a"), panel);
  product->setObjectName("ProductName");
  product->setGeometry(4, 4, 253, 22);
  product->setAlignment(Qt::AlignCenter);
  product->setFont(DialogFont(true));
  QPalette grey = product->palette();
  grey.setColor(QPalette::WindowText, QColor(128, 128, 128));
  product->setPalette(grey);

  comment_ = new QLabel(this);
  comment_->setObjectName("Comment");
  comment_->setGeometry(2, 64, 270, 20);
  comment_->setAlignment(Qt::AlignCenter);
  comment_->setWordWrap(true);

  ok_ = new QPushButton(tr("Ok"), this);
  ok_->setObjectName("OkButton");
  ok_->setGeometry(202, 88, 65, 26);
  ok_->setDefault(true);
  ok_->setCursor(Qt::PointingHandCursor);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  if (use == Use::kPrompt) {
    value_field_ = new QLineEdit(this);
    value_field_->setObjectName("Edit1");
    value_field_->setGeometry(8, 90, 121, 23);
    value_field_->setMaxLength(static_cast<int>(kMaxValueBytes));
  }

  if (use == Use::kSlots) {
    slot_group_ = new QGroupBox(" Select File ", this);
    slot_group_->setObjectName("SlotGroup");
    // Left and right as laid out, but tall enough for the title above whole
    // radio buttons: it reaches up beside the Ok button into the room the
    // hidden value field leaves.
    slot_group_->setGeometry(8, kSlotGroupTop, 185, kSlotHeight - kSlotGroupTop - 4);
    auto* row = new QHBoxLayout(slot_group_);
    row->setContentsMargins(6, 0, 6, 2);
    slot_buttons_ = new QButtonGroup(this);
    for (int slot = 1; slot <= 4; ++slot) {
      auto* radio = new QRadioButton(QString::number(slot), slot_group_);
      radio->setObjectName(QString("Slot%1").arg(slot));
      row->addWidget(radio);
      slot_buttons_->addButton(radio, slot);
    }
    slot_buttons_->button(1)->setChecked(true);
    erase_ = new QPushButton(tr("消去"), this);
    erase_->setObjectName("EraseButton");
    erase_->setGeometry(202, 136, 65, 26);
    erase_->setCursor(Qt::PointingHandCursor);
    erase_->setAutoDefault(false);
  }
  ok_->setFocus();
  if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());
}

void AboutBox::reject() {
  if (use_ == Use::kSlots || use_ == Use::kPrompt) return;
  QDialog::reject();
}

bool AboutBox::ExecUntilOk() {
  bool quitting = false;
  auto connection = connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                            [&quitting] { quitting = true; });
  int result = QDialog::Rejected;
  // A signal that ends the program closes the box for good.
  while (result != QDialog::Accepted && result != kDialogClosedForExit && !quitting)
    result = exec();
  disconnect(connection);
  return result == QDialog::Accepted;
}

void AboutBox::ShowMessage(QWidget* parent, const QString& comment) {
  AboutBox box(parent, Use::kVersion);
  box.comment_->setText(comment);
  // Read in full as the box comes up, not only its Ok button.
  box.setAccessibleDescription(comment);
  box.exec();
}

std::optional<int> AboutBox::ChooseSlot(QWidget* parent, SlotDialog& slot_logic, QString& caption) {
  AboutBox box(parent, Use::kSlots);
  auto show_status = [&box, &slot_logic, &caption] {
    if (!slot_logic.Caption().empty()) {
      caption = FromCp932(slot_logic.Caption());
      box.setWindowTitle(caption);
    }
    box.comment_->setText(RuntimeText(slot_logic.Comment()));
    box.setAccessibleDescription(box.comment_->text());
    // A screen reader names the selected slot by its story's caption too.
    for (QAbstractButton* radio : box.slot_buttons_->buttons()) {
      int slot = box.slot_buttons_->id(radio);
      bool selected = slot == slot_logic.SelectedSlot();
      QString caption_now = FromCp932(slot_logic.Caption());
      radio->setAccessibleName(selected && !caption_now.isEmpty()
                                   ? QString("%1: %2").arg(slot).arg(caption_now)
                                   : QString::number(slot));
      radio->setAccessibleDescription(selected ? RuntimeText(slot_logic.Comment()) : QString());
    }
    box.slot_buttons_->button(slot_logic.SelectedSlot())->setChecked(true);
    // A damaged slot cannot be loaded, only erased.
    box.ok_->setEnabled(!slot_logic.Damaged());
  };
  show_status();
  connect(box.slot_buttons_, &QButtonGroup::idClicked, &box, [&](int slot) {
    slot_logic.Select(slot);
    show_status();
  });
  // A screen reader checks a radio button through its toggle action, which
  // clicks nothing; and it waits for that action's answer, so an error box
  // the slot brings up comes after it.
  connect(box.slot_buttons_, &QButtonGroup::idToggled, &box, [&](int slot, bool checked) {
    if (!checked) return;
    QMetaObject::invokeMethod(
        &box,
        [&, slot] {
          if (slot == slot_logic.SelectedSlot() || !box.slot_buttons_->button(slot)->isChecked())
            return;
          slot_logic.Select(slot);
          show_status();
        },
        Qt::QueuedConnection);
  });
  connect(box.erase_, &QPushButton::clicked, &box, [&] {
    slot_logic.PressErase();
    show_status();
  });
  if (!box.ExecUntilOk()) return std::nullopt;
  return slot_logic.SelectedSlot();
}

std::optional<Bytes> AboutBox::AskValue(QWidget* parent, const QString& caption,
                                        const QString& comment, BytesView preset) {
  AboutBox box(parent, Use::kPrompt);
  if (!caption.isEmpty()) box.setWindowTitle(caption);
  box.comment_->setText(comment);
  // The field is named by its question, which a screen reader says with it.
  box.value_field_->setAccessibleName(box.comment_->text());
  box.setAccessibleDescription(box.comment_->text());
  box.value_field_->setText(FromCp932(preset));
  box.value_field_->setFocus();
  for (;;) {
    if (!box.ExecUntilOk()) return std::nullopt;
    Bytes value = ToCp932(box.value_field_->text());
    if (!value.empty()) return CutBytes(value, kMaxValueBytes);
    box.value_field_->setFocus();
  }
}

}  // namespace qvn
