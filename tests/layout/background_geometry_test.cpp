#include "layout/background_geometry.h"

#include <gtest/gtest.h>

namespace qvn {
namespace {

TEST(Stretch, WiderPictureGetsBarsAboveAndBelow) {
  StretchLayout layout = StretchPicture({600, 450}, {200, 50});
  EXPECT_EQ(layout.picture, (Rect{0, 150, 600, 300}));
  ASSERT_EQ(layout.bars.size(), 2u);
  EXPECT_EQ(layout.bars[0], (Rect{0, 0, 600, 150}));
  EXPECT_EQ(layout.bars[1], (Rect{0, 300, 600, 450}));
}

TEST(Stretch, TallerPictureGetsBarsLeftAndRight) {
  StretchLayout layout = StretchPicture({600, 450}, {100, 150});
  EXPECT_EQ(layout.picture, (Rect{150, 0, 450, 450}));
  EXPECT_EQ(layout.bars[0], (Rect{0, 0, 150, 450}));
  EXPECT_EQ(layout.bars[1], (Rect{450, 0, 600, 450}));
  EXPECT_TRUE(StretchPicture({600, 450}, {0, 10}).bars.empty());
}

TEST(Tiles, TenColumnsAndEightRowsOver600By450) {
  std::vector<Point> tiles = TileOrigins({600, 450}, {64, 64});
  EXPECT_EQ(tiles.size(), 10u * 8u);
  EXPECT_EQ(tiles.back(), (Point{576, 448}));
  EXPECT_TRUE(TileOrigins({600, 450}, {0, 64}).empty());
}

TEST(Watermark, GridAndColours) {
  std::vector<Point> origins = WatermarkOrigins({600, 450});
  EXPECT_EQ(origins.size(), 7u * 5u);
  EXPECT_EQ(origins.front(), (Point{0, 80}));
  EXPECT_EQ(origins.back(), (Point{600, 480}));
  EXPECT_EQ(WatermarkColour(16, false), (Rgb{47, 47, 47}));
  EXPECT_EQ(WatermarkColour(16, true), (Rgb{128, 128, 128}));
  EXPECT_EQ(WatermarkColour(7, false), (Rgb{208, 208, 208}));
  EXPECT_EQ(WatermarkColour(15, true), (Rgb{255, 255, 255}));
}

TEST(GraphicsWindow, PlacedBesideTheMainWindow) {
  Size screen{1280, 1024};
  Size picture{300, 200};
  EXPECT_EQ(GraphicsWindowPosition({400, 300, 1000, 800}, picture, screen), (Point{100, 300}));
  EXPECT_EQ(GraphicsWindowPosition({100, 300, 700, 800}, picture, screen), (Point{100, 100}));
  EXPECT_EQ(GraphicsWindowPosition({0, 50, 600, 500}, picture, screen), (Point{600, 50}));
  EXPECT_EQ(GraphicsWindowPosition({0, 50, 1200, 500}, picture, screen), (Point{0, 500}));
  EXPECT_EQ(GraphicsWindowPosition({0, 50, 1200, 900}, picture, screen), (Point{0, 0}));
  EXPECT_EQ(GraphicsWindowSize({2000, 500}, screen), (Size{1280, 500}));
}

}  // namespace
}  // namespace qvn
