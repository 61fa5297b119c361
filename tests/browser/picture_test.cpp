// Pictures as a story shows them: the JPEG of the same name wins, low-colour
// mode decodes to a palette, damaged files change nothing, and the graphics
// window and the backgrounds show what was loaded.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>

#include "browser/graphics_window.h"
#include "browser/main_form.h"
#include "browser/page_widget.h"
#include "browser/picture/jpeg_decoder.h"
#include "browser/picture_loader.h"
#include "compiler/compile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

QImage Filled(int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

TEST(PictureLoader, JpegOfTheSameNameWins) {
  TempFolder folder;
  ASSERT_TRUE(
      Filled(40, 30, Qt::red).save(QString::fromStdString((folder / "pic.bmp").string()), "BMP"));
  ASSERT_TRUE(Filled(20, 10, Qt::blue)
                  .save(QString::fromStdString((folder / "PIC.JPG").string()), "JPG", 95));
  auto picture = LoadPicture(folder / "pic.bmp", false);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->size(), QSize(20, 10));
  QColor centre = picture->pixelColor(10, 5);
  EXPECT_GT(centre.blue(), 200);
  EXPECT_LT(centre.red(), 50);

  std::filesystem::remove(folder / "PIC.JPG");
  picture = LoadPicture(folder / "pic.bmp", false);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->size(), QSize(40, 30));
  EXPECT_EQ(picture->pixelColor(0, 0), QColor(Qt::red));
}

TEST(PictureLoader, LowColourModeDecodesToAPalette) {
  TempFolder folder;
  QImage gradient(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) gradient.setPixel(x, y, qRgb(x * 4, y * 4, 128));
  ASSERT_TRUE(gradient.save(QString::fromStdString((folder / "g.jpg").string()), "JPG", 90));
  auto palette = LoadPicture(folder / "g.bmp", true);
  ASSERT_TRUE(palette.has_value());
  EXPECT_EQ(palette->format(), QImage::Format_Indexed8);
  EXPECT_LE(palette->colorCount(), 256);
  auto full = LoadPicture(folder / "g.bmp", false);
  ASSERT_TRUE(full.has_value());
  EXPECT_EQ(full->format(), QImage::Format_RGB888);
}

TEST(PictureLoader, DamagedOrMissingFilesLoadNothing) {
  TempFolder folder;
  EXPECT_FALSE(LoadPicture(folder / "none.bmp", false).has_value());
  WriteBytes(folder / "bad.bmp", "BM not really a bitmap");
  EXPECT_FALSE(LoadPicture(folder / "bad.bmp", false).has_value());
  // A JPEG cut short, and one that is only a header.
  QImage image = Filled(32, 32, Qt::green);
  ASSERT_TRUE(image.save(QString::fromStdString((folder / "cut.jpg").string()), "JPG"));
  Bytes jpeg = ReadBytes(folder / "cut.jpg");
  WriteBytes(folder / "cut.jpg", jpeg.substr(0, jpeg.size() / 3));
  EXPECT_FALSE(LoadPicture(folder / "cut.bmp", false).has_value());
  EXPECT_FALSE(DecodeJpeg("\xFF\xD8\xFF", false).has_value());
  EXPECT_FALSE(DecodeJpeg("", true).has_value());
}

// A grey progressive JPEG whose scans after the first hold only one run of
// empty blocks: every scan costs a pass over all blocks, whatever the file's
// size.
Bytes ProgressiveJpeg(int side, int ac_scans) {
  auto marker = [](int code, const Bytes& body) {
    std::size_t length = body.size() + 2;
    return Bytes{'\xFF', static_cast<char>(code), static_cast<char>(length >> 8),
                 static_cast<char>(length & 0xFF)} +
           body;
  };
  const int blocks = (side / 8) * (side / 8);  // one run of EOBRUN 2^6 each
  Bytes jpeg = "\xFF\xD8";
  jpeg += marker(0xDB, Bytes(1, '\0') + Bytes(64, '\x01'));
  jpeg += marker(
      0xC2, Bytes{8, static_cast<char>(side >> 8), static_cast<char>(side & 0xFF),
                  static_cast<char>(side >> 8), static_cast<char>(side & 0xFF), 1, 1, 0x11, 0});
  Bytes one_code(16, '\0');
  one_code[0] = 1;                                                       // one code of one bit
  jpeg += marker(0xC4, Bytes(1, '\x00') + one_code + Bytes(1, '\x00'));  // DC: difference 0
  jpeg += marker(0xC4, Bytes(1, '\x10') + one_code + Bytes(1, '\x60'));  // AC: EOBRUN 2^6
  jpeg += marker(0xDA, Bytes{1, 1, 0x00, 0, 0, 0x00});
  jpeg += Bytes(static_cast<std::size_t>((blocks + 7) / 8), '\0');
  for (int scan = 0; scan < ac_scans; ++scan) {
    jpeg += marker(0xDA, Bytes{1, 1, 0x00, 1, 63, 0x00});
    // Each run: the code "0" and six bits 0 (64 blocks); padded with ones.
    std::string bits;
    for (int run = 0; run < blocks / 64; ++run) bits += "0000000";
    while (bits.size() % 8) bits += '1';
    for (std::size_t i = 0; i < bits.size(); i += 8)
      jpeg += static_cast<char>(std::stoi(bits.substr(i, 8), nullptr, 2));
  }
  return jpeg + "\xFF\xD9";
}

TEST(PictureLoader, ProgressiveJpegsWithoutEndAreRefused) {
  // As many scans as honest encoders write decode; hundreds are refused.
  auto honest = DecodeJpeg(ProgressiveJpeg(64, 10), false);
  ASSERT_TRUE(honest.has_value());
  EXPECT_EQ(honest->width, 64);
  // The first scan holds the DC coefficients; the rest are counted with it.
  EXPECT_TRUE(DecodeJpeg(ProgressiveJpeg(64, kMaxJpegScans - 1), false).has_value());
  EXPECT_FALSE(DecodeJpeg(ProgressiveJpeg(64, kMaxJpegScans), false).has_value());
  EXPECT_FALSE(DecodeJpeg(ProgressiveJpeg(64, 3000), true).has_value());
  // A large picture may have fewer scans: the passes over all its blocks are
  // bounded too.
  EXPECT_TRUE(DecodeJpeg(ProgressiveJpeg(4096, 10), false).has_value());
  EXPECT_FALSE(DecodeJpeg(ProgressiveJpeg(8000, 200), false).has_value());
}

TEST(PictureLoader, FifosAndFoldersLoadNothingAndNeverWait) {
  ::alarm(20);  // a picture loader waiting on a FIFO fails the test instead of hanging
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "pipe.bmp").c_str(), 0644), 0);
  EXPECT_FALSE(LoadPicture(folder / "pipe.bmp", false).has_value());
  ASSERT_EQ(::mkfifo((folder / "jpeg.jpg").c_str(), 0644), 0);
  EXPECT_FALSE(LoadPicture(folder / "jpeg.bmp", false).has_value());
  std::filesystem::create_directories(folder / "dir.bmp");
  EXPECT_FALSE(LoadPicture(folder / "dir.bmp", false).has_value());
  // A real bitmap still loads, read by us rather than by the image reader.
  ASSERT_TRUE(
      Filled(3, 2, Qt::red).save(QString::fromStdString((folder / "ok.bmp").string()), "BMP"));
  auto picture = LoadPicture(folder / "ok.bmp", false);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->size(), QSize(3, 2));
  EXPECT_EQ(picture->pixelColor(2, 1), QColor(Qt::red));
  ::alarm(0);
}

TEST(StoryPictures, BackgroundGraphicsWindowAndPlainPageAgain) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  ASSERT_TRUE(Filled(200, 50, QColor(10, 200, 30))
                  .save(QString::fromStdString((folder / "sky.bmp").string()), "BMP"));
  ASSERT_TRUE(Filled(120, 80, QColor(200, 10, 10))
                  .save(QString::fromStdString((folder / "pic.bmp").string()), "BMP"));
  WriteBytes(folder / "s.src",
             "#A\r\n>BAK=sky.bmp\r\n>BMP=pic.bmp\r\nx\r\n?END\r\nB\r\n#B\r\ny\r\n/\r\n");
  NullLogSink sink;
  ASSERT_EQ(Compile((folder / "s.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);
  DialogDriver driver;
  driver.ChooseSlot(1);
  MainForm form((folder / "program").string() + "/");
  form.SetCommandLineStory((folder / "s.qvn").string());
  form.show();
  ASSERT_TRUE(WaitFor([&] { return form.Session().IsOpen() && driver.Done(); }));
  EXPECT_EQ(form.Session().State().background_spec, "s%P%sky.bmp");

  // The graphics window shows the picture at its size.
  EXPECT_TRUE(form.Graphics()->isVisible());
  EXPECT_EQ(form.Graphics()->size(), QSize(120, 80));
  EXPECT_EQ(form.Graphics()->windowTitle(), "Graphic(QVN Browser)");

  // The background: the picture stretched across, green bars above and below.
  QImage shot = form.Page()->grab().toImage();
  int middle = shot.height() / 2;
  EXPECT_EQ(shot.pixelColor(shot.width() / 2, 2), QColor(10, 200, 30));
  EXPECT_EQ(shot.pixelColor(shot.width() - 30, middle), QColor(10, 200, 30));

  form.ChoiceButton(1)->click();  // "Next": block B has no picture
  ASSERT_TRUE(WaitFor([&] { return !form.Session().IsOpen(); }));
  EXPECT_FALSE(form.Graphics()->isVisible());
  QImage plain = form.Page()->grab().toImage();
  EXPECT_EQ(plain.pixelColor(plain.width() / 2, plain.height() - 40).green() < 100, true);
  form.close();
}

}  // namespace
}  // namespace qvn::testing
