// The watermark's repeats never touch: for Arial (Liberation Sans here) and
// for wider faces that may stand in for it.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <cmath>

#include "browser/watermark.h"
#include "gui/application_setup.h"

namespace qvn::testing {
namespace {

TEST(Watermark, ArialIsLiberationSansOfCellHeightTwenty) {
  InstallFontSubstitutes();
  QFont font = WatermarkFont();
  EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans");
  EXPECT_TRUE(font.bold());
  QFontMetrics metrics(font);
  EXPECT_LE(metrics.ascent() + metrics.descent(), 20);
  EXPECT_GE(metrics.ascent() + metrics.descent(), 18);
  // Arial's metrics keep the grid of 100 pixels.
  EXPECT_EQ(WatermarkStepFor(font), 100);
}

TEST(Watermark, RepeatsOnTheDiagonalLeaveRoomForASpace) {
  InstallFontSubstitutes();
  for (const char* family : {"Arial", "DejaVu Sans", "DejaVu Serif", "IPAGothic", "IPAMincho",
                             "Liberation Serif", "DejaVu Sans Mono"}) {
    QFont font = WatermarkFont(family);
    QFontMetrics metrics(font);
    // The ink of one repeat, from its origin along the baseline; the next
    // repeat's ink begins one diagonal step further on.
    QRect ink = metrics.boundingRect(kWatermarkText);
    double diagonal = WatermarkStepFor(font) * std::sqrt(2.0);
    double gap = diagonal + ink.left() - (ink.right() + 1);
    EXPECT_GE(gap, metrics.horizontalAdvance(QLatin1Char(' ')) - 1) << family;
  }
}

TEST(Watermark, StepGrowsOnlyForLongText) {
  EXPECT_EQ(WatermarkStep(0), 100);
  EXPECT_EQ(WatermarkStep(141), 100);  // 100 × √2 = 141.4
  EXPECT_EQ(WatermarkStep(142), 101);  // 101 × √2 = 142.8
  EXPECT_EQ(WatermarkStep(200), 142);  // 141 × √2 = 199.4, 142 × √2 = 200.8
}

}  // namespace
}  // namespace qvn::testing
