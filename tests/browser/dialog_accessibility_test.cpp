// The slot dialog as a screen reader works it: a radio button checked
// through its accessible toggle action (which clicks nothing) selects its
// slot, and the dialog then reads that slot's caption and status.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>

#include "browser/main_form.h"
#include "browser/qt_text.h"
#include "compiler/compile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

TEST(SlotDialogAccessibility, ToggleActionSelectsTheSlot) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  WriteBytes(folder / "story.src", "TITLE=Shelf\r\n#START\r\nPage.\r\n?END\r\nSTART\r\n");
  NullLogSink sink;
  ASSERT_EQ(Compile((folder / "story.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);
  MainForm form((folder / "program").string() + "/");
  QString name_before, name_after, description, dialog_description;
  bool checked_at_once = false;
  DialogDriver driver;
  driver.Then([&](AboutBox& box) {
    QAbstractButton* two = box.Slots()->button(2);
    QAccessibleInterface* radio = QAccessible::queryAccessibleInterface(two);
    name_before = radio->text(QAccessible::Name);
    radio->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    checked_at_once = two->isChecked();
    // The status follows once the action has been answered.
    WaitFor([&] { return radio->text(QAccessible::Name) != name_before; });
    name_after = radio->text(QAccessible::Name);
    description = radio->text(QAccessible::Description);
    dialog_description = box.accessibleDescription();
    box.OkButton()->click();
  });
  form.SetCommandLineStory((folder / "story.qvn").string());
  form.show();
  ASSERT_TRUE(WaitFor([&] { return form.Session().IsOpen() && driver.Done(); }));
  EXPECT_TRUE(checked_at_once);
  EXPECT_EQ(name_before, "2");
  EXPECT_EQ(name_after, "2: Shelf");
  EXPECT_EQ(description, FromUtf8(u8"未使用ファイルです。"));
  EXPECT_EQ(dialog_description, FromUtf8(u8"未使用ファイルです。"));
  EXPECT_EQ(form.Session().Location().active_slot, 2);
}

}  // namespace
}  // namespace qvn::testing
