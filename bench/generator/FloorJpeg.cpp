// The whole-run benchmark's helper, on libjpeg-turbo's TurboJPEG API.
//   generator_floor make DIR COUNT     writes COUNT 4000x3000 photo-like JPEGs,
//                                      grainy and smooth ones alternating
//   generator_floor floor OUT FILE...  the floor of an album build: each
//                                      picture decoded once, a q90 4:2:0
//                                      baseline copy with standard Huffman
//                                      tables and a nearest-neighbour
//                                      thumbnail into a 90-pixel box, both
//                                      files written
// The floor prints its wall time in seconds.
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kQuality = 90;
constexpr int kBox = 90;

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> bgr;  // top-down rows, 3 bytes per pixel
};

bool WriteFile(const std::string& path, const unsigned char* bytes, unsigned long size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  const bool ok = f && std::fwrite(bytes, 1, size, f) == size;
  if (f) std::fclose(f);
  return ok;
}

bool ReadFile(const std::string& path, std::vector<unsigned char>& bytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fseek(f, 0, SEEK_END);
  bytes.resize(static_cast<size_t>(std::ftell(f)));
  std::fseek(f, 0, SEEK_SET);
  const bool ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
  std::fclose(f);
  return ok;
}

bool Encode(tjhandle tj, const Picture& p, const std::string& path) {
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  const bool ok =
      tjCompress2(tj, p.bgr.data(), p.width, 0, p.height, TJPF_BGR, &bytes, &size, TJSAMP_420, kQuality, 0) == 0 &&
      WriteFile(path, bytes, size);
  tjFree(bytes);
  return ok;
}

bool Decode(tjhandle tj, const std::string& path, Picture& p) {
  std::vector<unsigned char> file;
  int subsampling = 0, colourspace = 0;
  if (!ReadFile(path, file) ||
      tjDecompressHeader3(tj, file.data(), file.size(), &p.width, &p.height, &subsampling, &colourspace) != 0)
    return false;
  p.bgr.resize(static_cast<size_t>(p.width) * p.height * 3);
  return tjDecompress2(tj, file.data(), file.size(), p.bgr.data(), p.width, 0, p.height, TJPF_BGR, 0) == 0;
}

Picture Thumbnail(const Picture& p) {
  Picture t;
  t.width = kBox;
  t.height = std::max(1, kBox * p.height / p.width);
  if (t.height > kBox) t.height = kBox, t.width = std::max(1, kBox * p.width / p.height);
  t.bgr.resize(static_cast<size_t>(t.width) * t.height * 3);
  for (int y = 0; y < t.height; ++y)
    for (int x = 0; x < t.width; ++x) {
      const size_t from =
          (static_cast<size_t>(y) * p.height / t.height * p.width + static_cast<size_t>(x) * p.width / t.width) * 3;
      for (int k = 0; k < 3; ++k) t.bgr[(static_cast<size_t>(y) * t.width + x) * 3 + k] = p.bgr[from + k];
    }
  return t;
}

unsigned char Clamp(int v) { return static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Colour fields, with grain on even pictures (a high-ISO photo) and without
// on odd ones (a clear sky, a studio shot): both kinds cost the encoder
// differently.
Picture Synthetic(int index) {
  Picture p;
  p.width = 4000;
  p.height = 3000;
  p.bgr.resize(static_cast<size_t>(p.width) * p.height * 3);
  const bool grainy = index % 2 == 0;
  unsigned seed = 12345u + static_cast<unsigned>(index) * 7919u;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int grain = grainy ? static_cast<int>((seed >> 16) & 15) - 8 : 0;
      const double u = x / 4000.0, v = y / 3000.0;
      unsigned char* px = &p.bgr[(static_cast<size_t>(y) * p.width + x) * 3];
      px[0] = Clamp(static_cast<int>(140 + 80 * std::sin(9 * u * v + index * 0.3)) + grain);
      px[1] = Clamp(static_cast<int>(128 + 90 * std::cos(5 * v + 2 * u)) + grain);
      px[2] = Clamp(static_cast<int>(128 + 100 * std::sin(6 * u + index)) + grain);
    }
  return p;
}

int Make(tjhandle tj, const std::string& dir, int count) {
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/foto%02d.jpg", i + 1);
    if (!Encode(tj, Synthetic(i), dir + name)) return 1;
  }
  return 0;
}

int Floor(tjhandle tj, tjhandle decoder, const std::string& out, int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  Picture p;
  for (int i = 0; i < argc; ++i) {
    if (!Decode(decoder, argv[i], p)) return 1;
    const std::string name = std::to_string(i) + ".jpg";
    if (!Encode(tj, p, out + "/pics/" + name) || !Encode(tj, Thumbnail(p), out + "/mini/" + name)) return 1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.3f\n", took.count());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  tjhandle tj = tjInitCompress();
  tjhandle decoder = tjInitDecompress();
  int status = 2;
  if (mode == "make" && argc == 4)
    status = Make(tj, argv[2], std::atoi(argv[3]));
  else if (mode == "floor" && argc >= 4)
    status = Floor(tj, decoder, argv[2], argc - 3, argv + 3);
  else
    std::fprintf(stderr, "usage: generator_floor make DIR COUNT | floor OUT FILE...\n");
  tjDestroy(tj);
  tjDestroy(decoder);
  return status;
}
