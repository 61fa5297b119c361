#include "jpeg_reader.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>
// jpeglib.h needs FILE first.
#include <jpeglib.h>

namespace qvn {

namespace {

struct Errors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void Fail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<Errors*>(info->err)->jump, 1);
}

}  // namespace

JpegFacts ReadJpegFacts(const std::string& path) {
  JpegFacts facts;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return facts;
  jpeg_decompress_struct info;
  Errors errors;
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = Fail;
  std::vector<unsigned char> row;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    facts.ok = false;
    return facts;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  facts.width = static_cast<int>(info.image_width);
  facts.height = static_cast<int>(info.image_height);
  facts.components = info.num_components;
  facts.progressive = jpeg_has_multiple_scans(&info);
  facts.luminance_dc_quant = info.quant_tbl_ptrs[0] ? info.quant_tbl_ptrs[0]->quantval[0] : 0;
  for (JQUANT_TBL* table : info.quant_tbl_ptrs)
    if (table)
      for (UINT16 value : table->quantval) facts.max_quant = std::max<int>(facts.max_quant, value);
  jpeg_start_decompress(&info);
  row.resize(static_cast<std::size_t>(info.output_width) * info.output_components);
  JSAMPROW row_pointer = row.data();
  bool first = true;
  while (info.output_scanline < info.output_height) {
    jpeg_read_scanlines(&info, &row_pointer, 1);
    if (first)
      for (int c = 0; c < 3; ++c) facts.first_pixel[c] = row[info.output_components == 3 ? c : 0];
    first = false;
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  facts.ok = true;
  return facts;
}

int ExpectedLuminanceDc(int quality) {
  int scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
  return std::clamp((16 * scale + 50) / 100, 1, 255);
}

}  // namespace qvn
