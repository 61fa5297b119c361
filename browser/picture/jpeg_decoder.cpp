#include "browser/picture/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace qvn {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not
// return: it jumps back to the decode call, which gives up.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void ExitOnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  std::longjmp(manager->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Called by libjpeg while it reads the scans of a progressive picture.
void BoundScans(j_common_ptr common) {
  if (common->is_decompressor == 0) return;
  auto* info = reinterpret_cast<j_decompress_ptr>(common);
  std::int64_t scans = info->input_scan_number;
  std::int64_t pixels = std::int64_t{info->image_width} * info->image_height;
  if (scans > kMaxJpegScans || scans * pixels > kMaxJpegScanPixels) common->err->error_exit(common);
}

// Everything between setjmp and a longjmp is plain data, so the jump skips
// no destructor; the result is filled in only once decoding has finished.
bool Decode(jpeg_decompress_struct& info, BytesView data, bool palette, DecodedPicture& out) {
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()),
               static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  info.dct_method = JDCT_ISLOW;
  info.do_fancy_upsampling = TRUE;
  info.out_color_space = JCS_RGB;
  if (palette) {
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = 256;
    info.two_pass_quantize = TRUE;
    info.dither_mode = JDITHER_FS;
  }
  jpeg_calc_output_dimensions(&info);
  std::int64_t pixels = std::int64_t{info.output_width} * info.output_height;
  if (pixels <= 0 || pixels > kMaxPicturePixels) return false;
  if (!jpeg_start_decompress(&info)) return false;

  const int components = palette ? 1 : 3;
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  out.pixels.resize(static_cast<std::size_t>(pixels) * static_cast<std::size_t>(components));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.pixels.data() + static_cast<std::size_t>(info.output_scanline) *
                                           static_cast<std::size_t>(out.width) * components;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
  }
  if (palette) {
    out.palette.resize(static_cast<std::size_t>(info.actual_number_of_colors));
    for (int i = 0; i < info.actual_number_of_colors; ++i) {
      for (int c = 0; c < 3; ++c)
        out.palette[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)] =
            info.out_color_components >= 3 ? info.colormap[c][i] : info.colormap[0][i];
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

std::optional<DecodedPicture> DecodeJpeg(BytesView data, bool palette) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ExitOnError;
  errors.base.output_message = IgnoreMessage;
  jpeg_create_decompress(&info);
  jpeg_progress_mgr progress{};
  progress.progress_monitor = BoundScans;
  info.progress = &progress;
  DecodedPicture picture;
  bool ok = false;
  volatile bool decoded = false;
  if (setjmp(errors.jump) == 0) decoded = Decode(info, data, palette, picture);
  ok = decoded;
  jpeg_destroy_decompress(&info);
  if (!ok) return std::nullopt;
  return picture;
}

}  // namespace qvn
