#include <gtest/gtest.h>

#include "layout/page_colours.h"
#include "layout/page_metrics.h"
#include "layout/window_geometry.h"

namespace qvn {
namespace {

TEST(LineGap, StepsFromTheStandardGap) {
  int gap = kStandardGapTenths;
  EXPECT_FALSE(LineGapMenuState(gap).standard_enabled);
  int wider = 0;
  for (int g = gap; LineGapMenuState(g).wider_enabled; g = ApplyLineGap(g, 1)) ++wider;
  EXPECT_EQ(wider, 8);
  int narrower = 0;
  for (int g = gap; LineGapMenuState(g).narrower_enabled; g = ApplyLineGap(g, -1)) ++narrower;
  EXPECT_EQ(narrower, 2);
  EXPECT_TRUE(LineGapMenuState(ApplyLineGap(gap, 1)).standard_enabled);
  EXPECT_FALSE(LineGapMenuState(ApplyLineGap(ApplyLineGap(gap, 1), -1)).standard_enabled);
  EXPECT_EQ(ApplyLineGap(25, 0), 12);
  EXPECT_FALSE(LineGapMenuState(25).wider_enabled);
  EXPECT_TRUE(LineGapMenuState(25).narrower_enabled);
}

TEST(Metrics, CellPitchVisibleHeightAndSnapping) {
  EXPECT_EQ(CellWidth(158), 16);
  EXPECT_EQ(LinePitch(16, 12), 19);  // 19.2 cut to 19
  EXPECT_EQ(VisibleHeight(100, 19), 95);
  EXPECT_EQ(SnapToRow(50, 19), 38);
  EXPECT_EQ(SnapToRow(38, 19), 38);
}

TEST(Metrics, ScrollRangeOnlyWhenThePageIsTaller) {
  ScrollRange short_page = PageScrollRange(40, 19, 95);
  EXPECT_EQ(short_page.maximum, 0);
  EXPECT_FALSE(short_page.enabled);
  ScrollRange long_page = PageScrollRange(200, 19, 95);
  EXPECT_EQ(long_page.maximum, 200 + 19 - 95);
  EXPECT_EQ(long_page.page_step, 95);
  EXPECT_EQ(long_page.line_step, 19);
  EXPECT_TRUE(long_page.enabled);
}

TEST(Colours, TableDefaultsAndOutline) {
  EXPECT_EQ(TextColour(16), (Rgb{255, 255, 255}));
  EXPECT_EQ(BackgroundColour(16), (Rgb{0, 0, 0}));
  EXPECT_EQ(TextColour(9), (Rgb{0, 0, 128}));
  EXPECT_EQ(BackgroundColour(15), (Rgb{192, 192, 192}));
  EXPECT_EQ(OutlineColour(16, false), (Rgb{0, 0, 128}));
  EXPECT_EQ(OutlineColour(1, false), (Rgb{128, 128, 0}));
  EXPECT_EQ(OutlineColour(1, true), (Rgb{255, 255, 0}));
  EXPECT_EQ(TextColour(200), (Rgb{255, 255, 255}));
}

TEST(WindowGeometry, FourThreeBalanceAndButtons) {
  EXPECT_EQ(BalanceFourThree({400 + 16, 400}), (Size{416, 300}));
  EXPECT_EQ(BalanceFourThree({300 + 16, 300}), (Size{400 + 16, 300}));
  EXPECT_EQ(BalanceFourThree({300 + 16, 100}), (Size{316, 225}));
  EXPECT_EQ(BalanceFourThree({800 + 16, 300}), (Size{400 + 16, 300}));
  EXPECT_EQ(ChoiceButtonPosition({600, 400}, 1), (Point{600 - 44 - 16, 373}));
  EXPECT_EQ(ChoiceButtonPosition({600, 400}, 6), (Point{600 - 264 - 16, 373}));
}

}  // namespace
}  // namespace qvn
