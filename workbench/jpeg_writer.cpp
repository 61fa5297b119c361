#include "workbench/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "platform/file_names.h"

namespace qvn {

namespace {

struct ErrorManager {
  jpeg_error_mgr public_part;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// Only plain C data lives in this frame, so the long jump skips no destructor.
bool Compress(const RgbPicture& picture, const JpegSettings& settings, unsigned char** buffer,
              unsigned long* size, ErrorManager& errors) {
  jpeg_compress_struct info;
  info.err = jpeg_std_error(&errors.public_part);
  errors.public_part.error_exit = ErrorExit;
  errors.message[0] = '\0';
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, settings.quality, TRUE);
  if (settings.grayscale) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
  if (settings.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(picture.width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(picture.rgb.data()) + info.next_scanline * stride;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

FileResult EncodeJpeg(const RgbPicture& picture, const JpegSettings& settings, Bytes& out) {
  out.clear();
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.rgb.size() !=
          static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3)
    return FileResult{false, "the picture is empty or its pixels do not match its size"};
  if (settings.quality < 1 || settings.quality > 100)
    return FileResult{false, "the quality lies outside 1 to 100"};
  ErrorManager errors;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  bool ok = Compress(picture, settings, &buffer, &size, errors);
  if (ok) out.assign(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  if (!ok) return FileResult{false, errors.message};
  return FileResult{true, {}};
}

FileResult WriteJpegFile(const std::string& path, const RgbPicture& picture,
                         const JpegSettings& settings) {
  Bytes jpeg;
  FileResult encoded = EncodeJpeg(picture, settings, jpeg);
  if (!encoded.ok) return encoded;
  return WriteFileAtomic(ResolveForWrite(path), jpeg);
}

}  // namespace qvn
