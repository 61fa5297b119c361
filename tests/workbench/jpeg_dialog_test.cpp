#include "workbench/jpeg_dialog.h"

#include <gtest/gtest.h>
#include <QImage>

#include <filesystem>

#include "jpeg_reader.h"
#include "platform/file_io.h"
#include "qt_test_support.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

class JpegDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    folder_ = fs::path(testing::TempDir()) / "jpeg_dialog_test";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  QString Bitmap(const char* name, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30, 160, 90));
    QString path = QString::fromStdString((folder_ / name).string());
    EXPECT_TRUE(image.save(path, "BMP"));
    return path;
  }
  std::string PathOf(const char* name) const { return (folder_ / name).string(); }
  fs::path folder_;
};

TEST_F(JpegDialogTest, StartsWithTheBarAtFortyAndConvertDisabled) {
  JpegDialog dialog(nullptr);
  EXPECT_EQ(dialog.size(), QSize(312, 149));
  EXPECT_EQ(dialog.TrackBar1->value(), 40);
  EXPECT_EQ(dialog.Label4->text(), "40%");
  EXPECT_FALSE(dialog.Button2->isEnabled());
  EXPECT_FALSE(dialog.CheckBox1->isChecked());
  EXPECT_FALSE(dialog.CheckBox2->isChecked());
  dialog.TrackBar1->setValue(75);
  EXPECT_EQ(dialog.Label4->text(), "75%");
  dialog.TakeBitmap(Bitmap("room.bmp", 10, 10));
  EXPECT_TRUE(dialog.Button2->isEnabled());
}

TEST_F(JpegDialogTest, ConvertsBesideTheBitmapWithTheChosenSettings) {
  JpegDialog dialog(nullptr);
  dialog.TakeBitmap(Bitmap("room.bmp", 21, 13));
  dialog.Button2->click();
  JpegFacts facts = ReadJpegFacts(PathOf("room.JPG"));
  ASSERT_TRUE(facts.ok);
  EXPECT_EQ(facts.width, 21);
  EXPECT_EQ(facts.height, 13);
  EXPECT_EQ(facts.components, 3);
  EXPECT_FALSE(facts.progressive);
  EXPECT_EQ(facts.luminance_dc_quant, ExpectedLuminanceDc(60));
  EXPECT_NEAR(facts.first_pixel[1], 160, 12);

  // Again with other settings: the first file is overwritten without a word.
  dialog.TrackBar1->setValue(0);
  dialog.CheckBox1->setChecked(true);
  dialog.CheckBox2->setChecked(true);
  ModalWatcher watcher;
  EXPECT_TRUE(dialog.Convert());
  EXPECT_EQ(watcher.Count(), 0);
  facts = ReadJpegFacts(PathOf("room.JPG"));
  EXPECT_EQ(facts.components, 1);
  EXPECT_TRUE(facts.progressive);
  EXPECT_EQ(facts.luminance_dc_quant, 1);

  dialog.TrackBar1->setValue(99);
  dialog.TakeBitmap(Bitmap("a.b.bmp", 3, 3));
  EXPECT_TRUE(dialog.Convert());
  EXPECT_EQ(ReadJpegFacts(PathOf("a.b.JPG")).luminance_dc_quant, ExpectedLuminanceDc(1));
}

TEST_F(JpegDialogTest, AFileThatIsNoPictureIsReportedAndNothingIsWritten) {
  ASSERT_TRUE(WriteFileDirect(PathOf("bad.bmp"), "BM not really").ok);
  JpegDialog dialog(nullptr);
  dialog.TakeBitmap(QString::fromStdString(PathOf("bad.bmp")));
  ModalWatcher watcher;
  EXPECT_FALSE(dialog.Convert());
  ASSERT_EQ(watcher.Texts().size(), 1);
  EXPECT_TRUE(watcher.Texts()[0].startsWith(QString::fromStdString(PathOf("bad.bmp"))));
  EXPECT_FALSE(fs::exists(PathOf("bad.JPG")));
  // The dialog stays usable.
  EXPECT_TRUE(dialog.Button2->isEnabled());
}

}  // namespace
}  // namespace qvn
