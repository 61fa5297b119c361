// Large text: with the window font past 24 points the choice buttons' captions
// grow with it, and every button grows to its caption, never clipping it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>

#include "browser/main_form.h"
#include "browser/page_widget.h"
#include "compiler/compile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

// Six choices, then "Next" alone, then the end ("開く" again).
const char* kStory =
    "TITLE=Large\r\n#START\r\nSix ways.\r\n"
    "?000\r\nOne\r\nONE\r\n?000\r\nTwo\r\nONE\r\n?000\r\nThree\r\nONE\r\n"
    "?000\r\nFour\r\nONE\r\n?000\r\nFive\r\nONE\r\n?000\r\nSix\r\nONE\r\n?END\r\n"
    "#ONE\r\nOn.\r\n?END\r\nTWO\r\n#TWO\r\nThe end.\r\n/\r\n";

struct Sizes {
  int points;         // the window font, from the settings file
  int button_pixels;  // the buttons' font: 13 up to 24 points, then 13 × points / 16
  bool standard;      // the layout's 41 × 25 exactly
};

class LargeText : public ::testing::TestWithParam<Sizes> {};

// Every visible button: its caption inside the focus ring with room to
// spare, its size what it asks for, the row in order without overlap, all
// left of the scroll bar and above the bottom.
void ExpectCaptionsFit(MainForm& form, const Sizes& sizes, const char* when) {
  int right_of_next = form.Page()->width() - 16;
  for (int tag = 1; tag <= 6; ++tag) {
    QPushButton* button = form.ChoiceButton(tag);
    if (!button->isVisible()) continue;
    const QString what = QString("%1 pt, %2, Button%3 \"%4\"")
                             .arg(sizes.points)
                             .arg(when)
                             .arg(tag)
                             .arg(button->text());
    EXPECT_EQ(QFontInfo(button->font()).pixelSize(), sizes.button_pixels) << what.toStdString();
    QFontMetrics metrics(button->font());
    // The ring is 2 pixels one pixel inside the edge: 3 on each side.
    EXPECT_GE(button->width(), metrics.horizontalAdvance(button->text()) + 2 * 3 + 2)
        << what.toStdString();
    EXPECT_GE(button->height(), metrics.height() + 2 * 3) << what.toStdString();
    EXPECT_EQ(button->size(), button->sizeHint()) << what.toStdString();
    if (sizes.standard) {
      EXPECT_EQ(button->size(), QSize(41, 25)) << what.toStdString();
    }
    EXPECT_EQ(button->geometry().right() + 1, right_of_next - 3) << what.toStdString();
    EXPECT_EQ(button->geometry().bottom() + 1, form.Page()->height() - 2) << what.toStdString();
    right_of_next = button->geometry().left();
  }
}

TEST_P(LargeText, EveryChoiceButtonFitsItsCaption) {
  const Sizes sizes = GetParam();
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  WriteBytes(folder / "program" / "qvn.ini",
             "[WINDOW]\r\nWIDTH=640\r\nHEIGHT=480\r\n[FONT]\r\nNAME=IPAGothic\r\nSIZE=" +
                 std::to_string(sizes.points) + "\r\n");
  WriteBytes(folder / "story.src", kStory);
  NullLogSink sink;
  ASSERT_EQ(Compile((folder / "story.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);
  MainForm form((folder / "program").string() + "/");
  form.show();
  ASSERT_TRUE(WaitFor([&] { return form.Page()->width() > 600; }));
  ExpectCaptionsFit(form, sizes, "no story");

  DialogDriver driver;
  driver.ChooseSlot(1);
  form.SetCommandLineStory((folder / "story.qvn").string());
  form.Fixed1->trigger();
  ASSERT_TRUE(WaitFor([&] { return form.Session().IsOpen() && driver.Done(); }));
  ASSERT_TRUE(form.ChoiceButton(6)->isVisible());
  ExpectCaptionsFit(form, sizes, "six choices");

  form.ChoiceButton(6)->click();  // "A"
  ASSERT_TRUE(WaitFor([&] { return form.ChoiceButton(1)->text() == "Next"; }));
  ExpectCaptionsFit(form, sizes, "Next");
  form.ChoiceButton(1)->click();
  ASSERT_TRUE(WaitFor([&] { return !form.Session().IsOpen(); }));
  ExpectCaptionsFit(form, sizes, "the end");
}

INSTANTIATE_TEST_SUITE_P(Points, LargeText,
                         ::testing::Values(Sizes{8, 13, true}, Sizes{16, 13, true},
                                           Sizes{24, 13, true}, Sizes{25, 20, false},
                                           Sizes{32, 26, false}, Sizes{48, 39, false}));

}  // namespace
}  // namespace qvn::testing
