#pragma once
// The browser's one small dialog, in its four uses: the version box, the slot
// dialog, the new-game prompt and the write-failure notice.
#include <QDialog>
#include <optional>

#include "common/bytes.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qvn {

class SlotDialog;

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  enum class Use { kVersion, kSlots, kPrompt, kNotice };

  AboutBox(QWidget* parent, Use use);

  // The version box and the write-failure notice: `comment` and Ok.
  static void ShowMessage(QWidget* parent, const QString& comment);
  // The slot dialog: returns the slot selected when Ok is pressed; the
  // caption it last showed is left in `caption`. nullopt only when the
  // application is quitting.
  static std::optional<int> ChooseSlot(QWidget* parent, SlotDialog& slot_logic, QString& caption);
  // The new-game prompt for one variable; asks until the field is not empty.
  static std::optional<Bytes> AskValue(QWidget* parent, const QString& caption,
                                       const QString& comment, BytesView preset);

  QLabel* Comment() const { return comment_; }
  QLineEdit* ValueField() const { return value_field_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* EraseButton() const { return erase_; }
  QButtonGroup* Slots() const { return slot_buttons_; }

  // Shows the dialog until Ok is pressed; false when the application quits
  // first (the slot dialog and the prompt cannot be dismissed otherwise).
  bool ExecUntilOk();

 public slots:
  // Only Ok closes the slot dialog and the prompt.
  void reject() override;

 private:
  Use use_;
  QLabel* comment_ = nullptr;
  QPushButton* ok_ = nullptr;
  QLineEdit* value_field_ = nullptr;
  QGroupBox* slot_group_ = nullptr;
  QButtonGroup* slot_buttons_ = nullptr;
  QPushButton* erase_ = nullptr;
};

}  // namespace qvn
