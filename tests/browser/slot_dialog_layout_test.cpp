// The slot dialog shows its four radio buttons whole, under the group's
// title, inside the dialog (also run with QT_SCALE_FACTOR=2).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include "browser/about_box.h"

namespace qvn::testing {
namespace {

TEST(SlotDialogLayout, NothingIsClipped) {
  AboutBox box(nullptr, AboutBox::Use::kSlots);
  box.show();
  auto* group = box.findChild<QGroupBox*>("SlotGroup");
  ASSERT_NE(group, nullptr);
  const QRect dialog_rect = box.rect();
  EXPECT_TRUE(dialog_rect.contains(group->geometry()))
      << group->geometry().y() << "+" << group->geometry().height();
  EXPECT_TRUE(dialog_rect.contains(box.EraseButton()->geometry()));
  // The title's own band: the radios begin below it.
  QStyleOptionGroupBox option;
  option.initFrom(group);
  option.text = group->title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  QRect title =
      group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
  for (int slot = 1; slot <= 4; ++slot) {
    QAbstractButton* radio = box.Slots()->button(slot);
    QRect at = radio->geometry();
    EXPECT_GE(at.height(), radio->sizeHint().height()) << slot;
    EXPECT_GE(at.width(), radio->sizeHint().width()) << slot;
    EXPECT_TRUE(group->rect().contains(at)) << slot << ": " << at.y() << "+" << at.height();
    EXPECT_GE(at.top(), title.bottom()) << slot;
    EXPECT_TRUE(radio->isVisible());
  }
}

}  // namespace
}  // namespace qvn::testing
