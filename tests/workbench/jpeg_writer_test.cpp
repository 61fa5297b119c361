#include "workbench/jpeg_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "jpeg_reader.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

RgbPicture Reddish(int width, int height) {
  RgbPicture picture{width, height, {}};
  picture.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (std::size_t i = 0; i < picture.rgb.size(); i += 3) {
    picture.rgb[i] = 200;
    picture.rgb[i + 1] = 40;
    picture.rgb[i + 2] = 40;
  }
  return picture;
}

class JpegWriterTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(testing::TempDir()) / "jpeg_writer_test";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  std::string PathOf(const char* name) const { return (folder_ / name).string(); }
  fs::path folder_;
};

TEST_F(JpegWriterTest, QualityAndBaselineTablesReachTheFile) {
  for (int quality : {1, 25, 60, 100}) {
    ASSERT_TRUE(WriteJpegFile(PathOf("q.JPG"), Reddish(33, 17), {quality, false, false}).ok);
    JpegFacts facts = ReadJpegFacts(PathOf("q.JPG"));
    ASSERT_TRUE(facts.ok);
    EXPECT_EQ(facts.luminance_dc_quant, ExpectedLuminanceDc(quality)) << quality;
    EXPECT_LE(facts.max_quant, 255) << quality;  // baseline-compatible
    EXPECT_EQ(facts.width, 33);
    EXPECT_EQ(facts.height, 17);
    EXPECT_EQ(facts.components, 3);
    EXPECT_FALSE(facts.progressive);
  }
  EXPECT_EQ(QualityForCompression(0), 100);
  EXPECT_EQ(QualityForCompression(40), 60);
  EXPECT_EQ(QualityForCompression(99), 1);
}

TEST_F(JpegWriterTest, GreyScaleAndProgression) {
  ASSERT_TRUE(WriteJpegFile(PathOf("g.JPG"), Reddish(8, 8), {90, true, true}).ok);
  JpegFacts facts = ReadJpegFacts(PathOf("g.JPG"));
  ASSERT_TRUE(facts.ok);
  EXPECT_EQ(facts.components, 1);
  EXPECT_TRUE(facts.progressive);
  ASSERT_TRUE(WriteJpegFile(PathOf("c.JPG"), Reddish(8, 8), {90, true, false}).ok);
  facts = ReadJpegFacts(PathOf("c.JPG"));
  EXPECT_EQ(facts.components, 3);
  EXPECT_TRUE(facts.progressive);
  EXPECT_NEAR(facts.first_pixel[0], 200, 12);
  EXPECT_NEAR(facts.first_pixel[1], 40, 12);
}

TEST_F(JpegWriterTest, AnExistingFileIsOverwrittenInPlaceWhateverItsCase) {
  ASSERT_TRUE(WriteJpegFile(PathOf("room.jpg"), Reddish(4, 4), {60, false, false}).ok);
  ASSERT_TRUE(WriteJpegFile(PathOf("room.JPG"), Reddish(6, 5), {60, false, false}).ok);
  EXPECT_FALSE(fs::exists(folder_ / "room.JPG"));
  EXPECT_EQ(ReadJpegFacts(PathOf("room.jpg")).width, 6);
}

TEST_F(JpegWriterTest, BadPicturesAndPlacesFailWithAReason) {
  Bytes out;
  RgbPicture short_buffer = Reddish(4, 4);
  short_buffer.rgb.resize(10);
  for (const RgbPicture& bad : {RgbPicture{}, short_buffer, RgbPicture{70000, 1, {}}}) {
    FileResult result = EncodeJpeg(bad, {60, false, false}, out);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty());
  }
  EXPECT_FALSE(EncodeJpeg(Reddish(2, 2), {0, false, false}, out).ok);
  // Wider than JPEG allows: libjpeg's own refusal comes back as the reason.
  RgbPicture too_wide = Reddish(70000, 1);
  FileResult refused = EncodeJpeg(too_wide, {60, false, false}, out);
  EXPECT_FALSE(refused.ok);
  EXPECT_FALSE(refused.reason.empty());
  EXPECT_FALSE(WriteJpegFile(PathOf("missing/x.JPG"), Reddish(2, 2), {60, false, false}).ok);
}

}  // namespace
}  // namespace qvn
