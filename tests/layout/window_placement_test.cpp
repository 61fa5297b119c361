#include "layout/window_placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace qvn {
namespace {

constexpr ScreenArea kScreen{0, 0, 1280, 1024};

TEST(WindowPlacementTest, SizeStaysBetweenTheMinimumAndTheScreen) {
  EXPECT_EQ(PlaceWindow({0, 0}, {620, 480}, kScreen), (WindowPlacement{{0, 0}, {620, 480}}));
  EXPECT_EQ(PlaceWindow({0, 0}, {1280, 1024}, kScreen).size, (Size{1280, 1024}));
  EXPECT_EQ(PlaceWindow({0, 0}, {1281, 1025}, kScreen).size, (Size{1280, 1024}));
  EXPECT_EQ(PlaceWindow({0, 0}, {320, 240}, kScreen).size, (Size{320, 240}));
  EXPECT_EQ(PlaceWindow({0, 0}, {319, 239}, kScreen).size, (Size{320, 240}));
  EXPECT_EQ(PlaceWindow({0, 0}, {-1, INT_MAX}, kScreen).size, (Size{320, 1024}));
  // On a screen smaller than the minimum, the minimum wins.
  EXPECT_EQ(PlaceWindow({0, 0}, {620, 480}, {0, 0, 300, 200}),
            (WindowPlacement{{0, 0}, {320, 240}}));
}

TEST(WindowPlacementTest, TheWholeWindowIsMovedOntoTheScreen) {
  EXPECT_EQ(PlaceWindow({660, 544}, {620, 480}, kScreen).position, (Point{660, 544}));
  EXPECT_EQ(PlaceWindow({661, 545}, {620, 480}, kScreen).position, (Point{660, 544}));
  EXPECT_EQ(PlaceWindow({-1, -1}, {620, 480}, kScreen).position, (Point{0, 0}));
  EXPECT_EQ(PlaceWindow({INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, kScreen),
            (WindowPlacement{{0, 0}, {1280, 1024}}));
  // A desktop whose screens start left of and above the first one.
  ScreenArea wide{-1920, -200, 3200, 1224};
  EXPECT_EQ(PlaceWindow({-1900, -100}, {620, 480}, wide).position, (Point{-1900, -100}));
  EXPECT_EQ(PlaceWindow({-5000, 5000}, {620, 480}, wide).position, (Point{-1920, 544}));
  // Smaller than the minimum: the top-left corner stays on the screen.
  EXPECT_EQ(PlaceWindow({50, 50}, {620, 480}, {10, 10, 300, 200}).position, (Point{10, 10}));
}

}  // namespace
}  // namespace qvn
