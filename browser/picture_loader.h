#pragma once
// Loading a picture a story names: a JPEG of the same name wins over the
// named file, which is read as a Windows bitmap.
#include <QImage>
#include <filesystem>
#include <optional>

namespace qvn {

// `low_colour` decodes a JPEG to 8-bit palette colour. nullopt when neither
// file exists or the one found cannot be read.
std::optional<QImage> LoadPicture(const std::filesystem::path& file, bool low_colour);

}  // namespace qvn
