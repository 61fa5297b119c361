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
  // A control byte past a block name's length: no slot file.
  WriteBytes(folder / "story.Q01", "Secret\r\nABCDEFGH\x01junk\r\n");
  MainForm form((folder / "program").string() + "/");
  QString name_before, name_after, description, dialog_description;
  std::vector<QString> names, descriptions;
  bool checked_at_once = false;
  DialogDriver driver;
  driver.Then([&](AboutBox& box) {
    for (int slot = 1; slot <= 4; ++slot) {
      QAccessibleInterface* each = QAccessible::queryAccessibleInterface(box.Slots()->button(slot));
      names.push_back(each->text(QAccessible::Name));
      descriptions.push_back(each->text(QAccessible::Description));
    }
    QAbstractButton* two = box.Slots()->button(2);
    QAccessibleInterface* radio = QAccessible::queryAccessibleInterface(two);
    name_before = radio->text(QAccessible::Name);
    radio->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    checked_at_once = two->isChecked();
    // The status follows once the action has been answered.
    WaitFor([&] { return box.accessibleDescription() == FromUtf8(u8"未使用ファイルです。"); });
    name_after = radio->text(QAccessible::Name);
    description = radio->text(QAccessible::Description);
    dialog_description = box.accessibleDescription();
    box.OkButton()->click();
  });
  form.SetCommandLineStory((folder / "story.qvn").string());
  form.show();
  ASSERT_TRUE(WaitFor([&] { return form.Session().IsOpen() && driver.Done(); }));
  EXPECT_TRUE(checked_at_once);
  // Every slot is named by its caption, and tells its status, before any
  // other is selected: slot 1 is damaged and shows nothing of its bytes.
  EXPECT_EQ(names, (std::vector<QString>{"1", "2: Shelf", "3: Shelf", "4: Shelf"}));
  EXPECT_EQ(descriptions[0], FromUtf8(u8"破損したファイルです。"));
  EXPECT_EQ(descriptions[3], FromUtf8(u8"未使用ファイルです。"));
  EXPECT_EQ(name_before, "2: Shelf");
  EXPECT_EQ(name_after, "2: Shelf");
  EXPECT_EQ(description, FromUtf8(u8"未使用ファイルです。"));
  EXPECT_EQ(dialog_description, FromUtf8(u8"未使用ファイルです。"));
  EXPECT_EQ(form.Session().Location().active_slot, 2);
}

}  // namespace
}  // namespace qvn::testing
