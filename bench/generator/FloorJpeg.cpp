// The whole-run benchmark's helper, talking to libjpeg-turbo directly.
//   generator_floor make DIR COUNT     writes COUNT 4000x3000 photo-like JPEGs
//   generator_floor floor OUT FILE...  the floor of an album build: decode
//                                      each picture once, write it again and
//                                      a 90-pixel nearest-neighbour thumbnail,
//                                      with the program's encoder settings
// The floor prints its wall time in seconds.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>  // after <cstdio>: it needs FILE and size_t

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> bgr;  // top-down rows, 3 bytes per pixel
};

bool Encode(const Picture& p, const std::string& path) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &bytes, &size);
  c.image_width = static_cast<JDIMENSION>(p.width);
  c.image_height = static_cast<JDIMENSION>(p.height);
  c.input_components = 3;
  c.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  c.optimize_coding = TRUE;
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&p.bgr[static_cast<size_t>(c.next_scanline) * p.width * 3]);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  FILE* f = std::fopen(path.c_str(), "wb");
  const bool ok = f && std::fwrite(bytes, 1, size, f) == size;
  if (f) std::fclose(f);
  std::free(bytes);
  return ok;
}

bool Decode(const std::string& path, Picture& p) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  jpeg_decompress_struct d{};
  jpeg_error_mgr err{};
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_stdio_src(&d, f);
  jpeg_read_header(&d, TRUE);
  d.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&d);
  p.width = static_cast<int>(d.output_width);
  p.height = static_cast<int>(d.output_height);
  p.bgr.resize(static_cast<size_t>(p.width) * p.height * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = &p.bgr[static_cast<size_t>(d.output_scanline) * p.width * 3];
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  std::fclose(f);
  return true;
}

Picture Thumbnail(const Picture& p, int w, int h) {
  Picture t;
  t.width = w;
  t.height = h;
  t.bgr.resize(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t from = (static_cast<size_t>(y) * p.height / h * p.width + static_cast<size_t>(x) * p.width / w) * 3;
      for (int k = 0; k < 3; ++k) t.bgr[(static_cast<size_t>(y) * w + x) * 3 + k] = p.bgr[from + k];
    }
  return t;
}

// Smooth colour fields with grain, so the encoder works as hard as on a photo.
Picture Synthetic(int index) {
  Picture p;
  p.width = 4000;
  p.height = 3000;
  p.bgr.resize(static_cast<size_t>(p.width) * p.height * 3);
  unsigned seed = 12345u + static_cast<unsigned>(index) * 7919u;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int grain = static_cast<int>((seed >> 16) & 15) - 8;
      const double u = x / 4000.0, v = y / 3000.0;
      const int r = static_cast<int>(128 + 100 * std::sin(6 * u + index)) + grain;
      const int g = static_cast<int>(128 + 90 * std::cos(5 * v + 2 * u)) + grain;
      const int b = static_cast<int>(140 + 80 * std::sin(9 * u * v + index * 0.3)) + grain;
      unsigned char* px = &p.bgr[(static_cast<size_t>(y) * p.width + x) * 3];
      px[0] = static_cast<unsigned char>(b < 0 ? 0 : b > 255 ? 255 : b);
      px[1] = static_cast<unsigned char>(g < 0 ? 0 : g > 255 ? 255 : g);
      px[2] = static_cast<unsigned char>(r < 0 ? 0 : r > 255 ? 255 : r);
    }
  return p;
}

int Make(const std::string& dir, int count) {
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/foto%02d.jpg", i + 1);
    if (!Encode(Synthetic(i), dir + name)) return 1;
  }
  return 0;
}

int Floor(const std::string& out, int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < argc; ++i) {
    Picture p;
    if (!Decode(argv[i], p)) return 1;
    const std::string name = std::to_string(i) + ".jpg";
    int w = 90, h = 90 * p.height / p.width;
    if (h > 90) h = 90, w = 90 * p.width / p.height;
    if (!Encode(p, out + "/pics/" + name) || !Encode(Thumbnail(p, w, h), out + "/mini/" + name)) return 1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.3f\n", took.count());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if (mode == "make" && argc == 4) return Make(argv[2], std::atoi(argv[3]));
  if (mode == "floor" && argc >= 4) return Floor(argv[2], argc - 3, argv + 3);
  std::fprintf(stderr, "usage: generator_floor make DIR COUNT | floor OUT FILE...\n");
  return 2;
}
