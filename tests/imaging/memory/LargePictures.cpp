#include "LargePictures.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
// jpeglib.h uses size_t and FILE without declaring them.
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <fstream>
#include <vector>

#include "support/Crc32.h"

namespace largepictures {
namespace {

void PutU16(std::string& out, unsigned v) { out += char(v & 255), out += char(v >> 8 & 255); }
void PutU32(std::string& out, uint32_t v) { PutU16(out, v & 0xFFFF), PutU16(out, v >> 16); }

// One picture row: a gradient, so the encoders have something to do.
std::vector<uint8_t> GradientRow(int y) {
  std::vector<uint8_t> row(size_t(kSide) * 3);
  for (int x = 0; x < kSide; ++x) {
    row[3 * size_t(x)] = uint8_t(x * 255 / kSide);
    row[3 * size_t(x) + 1] = uint8_t(y * 255 / kSide);
    row[3 * size_t(x) + 2] = 128;
  }
  return row;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace

void WriteRleBmp(const std::string& path) {
  std::string rle;
  for (int row = 0; row < 8; ++row) {
    for (int x = 0; x + 255 <= kSide; x += 255) rle += "\xFF\x01";
    rle += std::string("\x00\x00", 2);  // end of line
  }
  rle += std::string("\x00\x01", 2);  // end of picture: the rest stays colour 0
  std::string bmp = "BM";
  PutU32(bmp, uint32_t(14 + 40 + 8 + rle.size()));
  PutU32(bmp, 0);
  PutU32(bmp, 14 + 40 + 8);
  PutU32(bmp, 40);
  PutU32(bmp, kSide);
  PutU32(bmp, kSide);
  PutU16(bmp, 1);
  PutU16(bmp, 8);
  PutU32(bmp, 1);  // RLE8
  PutU32(bmp, uint32_t(rle.size()));
  PutU32(bmp, 2835), PutU32(bmp, 2835), PutU32(bmp, 2), PutU32(bmp, 2);
  PutU32(bmp, 0x00000000), PutU32(bmp, 0x00FFFFFF);
  WriteFile(path, bmp + rle);
}

void WritePng(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, kSide, kSide, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 1);
  png_set_filter(png, 0, PNG_FILTER_UP);
  png_write_info(png, info);
  const std::vector<uint8_t> row = GradientRow(0);
  for (int y = 0; y < kSide; ++y) png_write_row(png, row.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

void WriteInterlacedPngWithAlpha(const std::string& path, int side) {
  FILE* file = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(side), png_uint_32(side), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_ADAM7,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  std::vector<uint8_t> row(size_t(side) * 4);
  for (int x = 0; x < side; ++x) {
    row[4 * size_t(x)] = uint8_t(x), row[4 * size_t(x) + 1] = 50, row[4 * size_t(x) + 2] = 200;
    row[4 * size_t(x) + 3] = uint8_t(x * 7);
  }
  const int passes = png_set_interlace_handling(png);
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < side; ++y) png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

void WriteJpeg(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "wb");
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = cinfo.image_height = kSide;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  for (int y = 0; y < kSide; ++y) {
    std::vector<uint8_t> row = GradientRow(y);
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::fclose(file);
}

void WriteTiff(const std::string& path, bool oneStrip) {
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(kSide));
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(kSide));
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, uint16_t(3));
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, uint16_t(8));
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
  TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, 1);
  TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, oneStrip ? uint32_t(kSide) : TIFFDefaultStripSize(tiff, 0));
  std::vector<uint8_t> row = GradientRow(0);
  for (uint32_t y = 0; y < uint32_t(kSide); ++y) {
    std::vector<uint8_t> scratch = row;  // libtiff's predictor changes the row in place
    TIFFWriteScanline(tiff, scratch.data(), y, 0);
  }
  TIFFClose(tiff);
}

std::string LyingGif() {
  std::string gif = "GIF89a";
  PutU16(gif, kSide), PutU16(gif, kSide);
  gif += std::string("\x80\x00\x00", 3);              // two-entry global colour map
  gif += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);  // black, white
  gif += ",";
  PutU16(gif, 0), PutU16(gif, 0), PutU16(gif, kSide), PutU16(gif, kSide);
  gif += std::string("\x00\x02\x02\x84\x01\x00;", 7);  // flags, LZW size, one tiny block, end
  return gif;
}

std::string LyingTiff() {
  std::string tiff("II*\0", 4);
  PutU32(tiff, 8);
  const uint16_t count = 9;
  PutU16(tiff, count);
  const uint32_t dataOffset = 8 + 2 + count * 12 + 4 + 6;
  auto entry = [&](uint16_t tag, uint16_t type, uint32_t n, uint32_t value) {
    PutU16(tiff, tag), PutU16(tiff, type), PutU32(tiff, n);
    if (type == 3 && n == 1)
      PutU16(tiff, uint16_t(value)), PutU16(tiff, 0);
    else
      PutU32(tiff, value);
  };
  entry(256, 4, 1, kSide);           // width
  entry(257, 4, 1, kSide);           // height
  entry(258, 3, 3, dataOffset - 6);  // 8, 8, 8 bits, stored below
  entry(259, 3, 1, 8);               // Deflate
  entry(262, 3, 1, 2);               // RGB
  entry(273, 4, 1, dataOffset);      // the one strip
  entry(277, 3, 1, 3);               // three samples
  entry(278, 4, 1, kSide);           // all rows in that strip
  entry(279, 4, 1, 16);              // of 16 bytes
  PutU32(tiff, 0);
  PutU16(tiff, 8), PutU16(tiff, 8), PutU16(tiff, 8);
  tiff += std::string(16, '\x55');
  return tiff;
}

std::string SmallPng() {
  FILE* memory = std::tmpfile();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, memory);
  png_set_IHDR(png, info, 16, 16, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(16 * 3, 200);
  for (int y = 0; y < 16; ++y) png_write_row(png, row.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::string bytes(size_t(std::ftell(memory)), '\0');
  std::rewind(memory);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), memory));
  std::fclose(memory);
  return bytes;
}

std::string LyingPng() {
  std::string bytes = SmallPng();
  // IHDR's width and height, and the chunk's CRC over its type and data.
  for (size_t at : {size_t(16), size_t(20)}) {
    bytes[at] = 0, bytes[at + 1] = 0, bytes[at + 2] = char(kSide >> 8), bytes[at + 3] = char(kSide & 255);
  }
  const uint32_t crc = fixtures::Crc32(bytes.data() + 12, 17);
  for (int i = 0; i < 4; ++i) bytes[29 + size_t(i)] = char(crc >> (24 - 8 * i) & 255);
  return bytes;
}

std::string LyingJpeg() {
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &bytes, &size);
  cinfo.image_width = cinfo.image_height = 16;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(16 * 3, 90);
  while (cinfo.next_scanline < 16) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string jpeg(reinterpret_cast<char*>(bytes), size);
  std::free(bytes);
  const size_t frame = jpeg.find("\xFF\xC0");
  jpeg[frame + 5] = char(kSide >> 8), jpeg[frame + 6] = char(kSide & 255);
  jpeg[frame + 7] = char(kSide >> 8), jpeg[frame + 8] = char(kSide & 255);
  return jpeg;
}

}  // namespace largepictures
