#include "workbench/password_dialog.h"

#include <gtest/gtest.h>
#include <QTest>
#include <QToolButton>

#include "qt_test_support.h"

namespace qvn {
namespace {

// Asks the dialog to close with the given inputs; true when it did.
bool ClosesWith(const QString& password, const QString& key) {
  PasswordDialog dialog(PasswordDialog::Mode::kPassword, nullptr);
  dialog.show();
  dialog.Edit1->setText(password);
  dialog.Edit2->setText(key);
  dialog.Button1->click();
  bool closed = !dialog.isVisible();
  if (!closed) {
    // Nothing was changed by the refusal.
    EXPECT_EQ(dialog.Edit1->text(), password);
    EXPECT_EQ(dialog.Edit2->text(), key);
  }
  return closed;
}

TEST(PasswordDialogTest, ClosesOnlyOnAPasswordAndAKeyInRange) {
  TestApp();
  EXPECT_FALSE(ClosesWith("story", "255"));
  EXPECT_TRUE(ClosesWith("story", "256"));
  EXPECT_TRUE(ClosesWith("story", "32000"));
  EXPECT_FALSE(ClosesWith("story", "32001"));
  EXPECT_FALSE(ClosesWith("story", "12a"));
  EXPECT_FALSE(ClosesWith("story", ""));
  EXPECT_TRUE(ClosesWith("story", "$100"));
  EXPECT_FALSE(ClosesWith("", "1000"));
}

TEST(PasswordDialogTest, EveryWayOfClosingIsChecked) {
  TestApp();
  PasswordDialog dialog(PasswordDialog::Mode::kPassword, nullptr);
  dialog.show();
  dialog.Edit1->clear();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());
  dialog.Edit1->setText(QString::fromUtf8("物語"));
  dialog.Edit2->setText("$100");
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.Password(), "\x95\xA8\x8C\xEA");
  EXPECT_EQ(dialog.KeyNumber(), 256);
}

TEST(PasswordDialogTest, StartsAtThousandAndTheArrowsWrap) {
  TestApp();
  PasswordDialog dialog(PasswordDialog::Mode::kPassword, nullptr);
  EXPECT_EQ(dialog.Edit2->text(), "1000");
  EXPECT_EQ(dialog.size(), QSize(286, 115));
  auto* up = dialog.UpDown1->findChild<QToolButton*>("UpArrow");
  auto* down = dialog.UpDown1->findChild<QToolButton*>("DownArrow");
  ASSERT_TRUE(up && down);
  up->click();
  EXPECT_EQ(dialog.Edit2->text(), "1001");
  dialog.Edit2->setText("32000");
  up->click();
  EXPECT_EQ(dialog.Edit2->text(), "256");
  down->click();
  EXPECT_EQ(dialog.Edit2->text(), "32000");
  dialog.Edit2->setText("$100");
  down->click();
  EXPECT_EQ(dialog.Edit2->text(), "32000");
  // Text that is no number steps from the arrows' own position.
  dialog.Edit2->setText("abc");
  up->click();
  EXPECT_EQ(dialog.Edit2->text(), "256");
}

TEST(PasswordDialogTest, UpAndDownKeysInTheKeyFieldStepAndWrapLikeTheArrows) {
  TestApp();
  PasswordDialog dialog(PasswordDialog::Mode::kPassword, nullptr);
  dialog.show();
  dialog.activateWindow();
  dialog.Edit2->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }));
  auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
  ASSERT_EQ(QApplication::focusWidget(), dialog.Edit2);
  press(Qt::Key_Up);
  EXPECT_EQ(dialog.Edit2->text(), "1001");
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  EXPECT_EQ(dialog.Edit2->text(), "999");
  dialog.Edit2->setText("31999");
  press(Qt::Key_Up);
  EXPECT_EQ(dialog.Edit2->text(), "32000");
  press(Qt::Key_Up);
  EXPECT_EQ(dialog.Edit2->text(), "256");
  press(Qt::Key_Down);
  EXPECT_EQ(dialog.Edit2->text(), "32000");
  dialog.Edit2->setText("257");
  press(Qt::Key_Down);
  EXPECT_EQ(dialog.Edit2->text(), "256");
  press(Qt::Key_Down);
  EXPECT_EQ(dialog.Edit2->text(), "32000");
  // The keys stay in the key field; the password field is not touched.
  EXPECT_EQ(QApplication::focusWidget(), dialog.Edit2);
  dialog.Edit1->setFocus();
  dialog.Edit1->setText("story");
  press(Qt::Key_Up);
  EXPECT_EQ(dialog.Edit1->text(), "story");
  EXPECT_EQ(dialog.Edit2->text(), "32000");
}

TEST(PasswordDialogTest, TheVersionBoxIsShortAndClosesOnAClick) {
  TestApp();
  PasswordDialog dialog(PasswordDialog::Mode::kAbout, nullptr);
  dialog.show();
  EXPECT_EQ(dialog.height(), 87);
  EXPECT_FALSE(dialog.Edit1->isEnabled());
  EXPECT_FALSE(dialog.Edit2->isEnabled());
  EXPECT_FALSE(dialog.UpDown1->isEnabled());
  QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace qvn
