#include "RawJpeg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <jpeglib.h>

namespace rawjpeg {

Picture Decode(const std::string& path) {
  std::vector<unsigned char> file(std::filesystem::file_size(path));
  if (FILE* in = std::fopen(path.c_str(), "rb")) {
    file.resize(std::fread(file.data(), 1, file.size(), in));
    std::fclose(in);
  }
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), file.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  Picture picture;
  picture.width = static_cast<int>(cinfo.output_width);
  picture.height = static_cast<int>(cinfo.output_height);
  picture.bgr.reset(new uint8_t[size_t(picture.width) * picture.height * 3]);
  const size_t stride = size_t(picture.width) * 3;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW rows[16];
    const JDIMENSION first = cinfo.output_scanline, count = std::min<JDIMENSION>(16, cinfo.output_height - first);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = picture.bgr.get() + (first + i) * stride;
    jpeg_read_scanlines(&cinfo, rows, count);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return picture;
}

void Encode(const Picture& picture, int quality, const std::string& path) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &bytes, &size);
  cinfo.image_width = JDIMENSION(picture.width);
  cinfo.image_height = JDIMENSION(picture.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = picture.bgr.get() + size_t(cinfo.next_scanline) * picture.width * 3;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes, 1, size, out);
    std::fclose(out);
  }
  std::free(bytes);
}

}  // namespace rawjpeg
