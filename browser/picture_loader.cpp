#include "browser/picture_loader.h"

#include "browser/picture/jpeg_decoder.h"
#include "platform/file_io.h"
#include "platform/file_names.h"

namespace qvn {

namespace {

std::optional<QImage> ToImage(const DecodedPicture& picture) {
  if (picture.Indexed()) {
    QImage image(picture.width, picture.height, QImage::Format_Indexed8);
    if (image.isNull()) return std::nullopt;
    QList<QRgb> colours;
    for (const auto& entry : picture.palette) colours.push_back(qRgb(entry[0], entry[1], entry[2]));
    image.setColorTable(colours);
    for (int y = 0; y < picture.height; ++y)
      std::copy_n(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width,
                  picture.width, image.scanLine(y));
    return image;
  }
  QImage image(picture.width, picture.height, QImage::Format_RGB888);
  if (image.isNull()) return std::nullopt;
  for (int y = 0; y < picture.height; ++y)
    std::copy_n(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width * 3,
                static_cast<std::size_t>(picture.width) * 3, image.scanLine(y));
  return image;
}

}  // namespace

std::optional<QImage> LoadPicture(const std::filesystem::path& file, bool low_colour) {
  std::filesystem::path jpeg = file;
  jpeg.replace_extension(".JPG");
  if (auto found = ResolveExisting(jpeg)) {
    Bytes data;
    if (!ReadWholeFile(*found, data, kMaxPictureFileBytes).ok) return std::nullopt;
    auto decoded = DecodeJpeg(data, low_colour);
    if (!decoded) return std::nullopt;
    return ToImage(*decoded);
  }
  auto found = ResolveExisting(file);
  if (!found) return std::nullopt;
  // Read here rather than by QImage, which would wait forever on a FIFO.
  Bytes data;
  if (!ReadWholeFile(*found, data, kMaxPictureFileBytes).ok) return std::nullopt;
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(data.data()),
                          static_cast<int>(data.size()), "BMP"))
    return std::nullopt;
  return image;
}

}  // namespace qvn
