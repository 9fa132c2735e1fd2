// Decoding a 12-megapixel HEIC through OpenDib against the decoding libheif's
// heif-dec does before it writes its output: read the file, take the primary
// image, decode it to interleaved RGB. Prints the ratio (goal <= 1.10).
// The picture is photo-like (smooth gradients plus noise), encoded once by
// heif-enc at quality 85 and kept beside this program.
#include <benchmark/benchmark.h>
#include <libheif/heif.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "imaging/Rastola.h"
#include "imaging/colour/SrgbConversion.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000;
constexpr double kMegapixels = kWidth * double(kHeight) / 1e6;
const std::string kFloor = "BM_LibheifDecode";
const std::string kOurs = "BM_OpenDib";

void WritePhoto(const std::string& ppm) {
  std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
  std::mt19937 noise(42);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      uint8_t* p = rgb.data() + (size_t(y) * kWidth + x) * 3;
      const int n = int(noise() % 17) - 8;
      p[0] = uint8_t(std::clamp((x + y) * 255 / (kWidth + kHeight) + n, 0, 255));
      p[1] = uint8_t(std::clamp(y * 255 / kHeight + n, 0, 255));
      p[2] = uint8_t(std::clamp(x * 255 / kWidth + n, 0, 255));
    }
  }
  std::ofstream out(ppm, std::ios::binary);
  out << "P6\n" << kWidth << " " << kHeight << "\n255\n";
  out.write(reinterpret_cast<const char*>(rgb.data()), std::streamsize(rgb.size()));
}

const std::string& Photo() {
  static const std::string heic = [] {
    const std::filesystem::path folder(LUMIVISTA_BENCH_CACHE);
    const std::string path = (folder / "photo-12mp.heic").string();
    if (std::filesystem::exists(path)) return path;
    const std::string ppm = (folder / "photo.ppm").string(), png = (folder / "photo.png").string();
    WritePhoto(ppm);
    const std::string command = "convert '" + ppm + "' 'PNG24:" + png + "' && heif-enc -q 85 -o '" + path + ".part' '" +
                                png + "' >/dev/null && mv '" + path + ".part' '" + path + "'";
    std::printf("making %s with heif-enc (once)\n", path.c_str());
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "could not make the HEIC (heif-enc and convert come from scripts/bootstrap.sh)\n");
      std::exit(1);
    }
    std::filesystem::remove(ppm);
    std::filesystem::remove(png);
    return path;
  }();
  return heic;
}

// CPU seconds of the whole process, decoder threads included.
double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void SetRate(benchmark::State& state, double cpuStart) {
  state.counters["MP/s"] = benchmark::Counter(kMegapixels, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["all_threads_cpu_ms"] = (ProcessCpuSeconds() - cpuStart) * 1000 / double(state.iterations());
}

void BM_LibheifDecode(benchmark::State& state) {
  const double cpuStart = ProcessCpuSeconds();
  for (auto _ : state) {
    heif_context* context = heif_context_alloc();
    heif_context_read_from_file(context, Photo().c_str(), nullptr);
    heif_image_handle* handle = nullptr;
    heif_context_get_primary_image_handle(context, &handle);
    const bool alpha = heif_image_handle_has_alpha_channel(handle);
    heif_image* image = nullptr;
    heif_decode_image(handle, &image, heif_colorspace_RGB,
                      alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr);
    int stride = 0;
    benchmark::DoNotOptimize(heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride));
    heif_image_release(image);
    heif_image_handle_release(handle);
    heif_context_free(context);
  }
  SetRate(state, cpuStart);
}

void BM_OpenDib(benchmark::State& state) {
  const double cpuStart = ProcessCpuSeconds();
  for (auto _ : state) {
    imaging::Image image;
    imaging::OpenDib(&image, Photo().c_str(), 0, nullptr);
    if (!image->Pixels) state.SkipWithError(image->ErrorText);
    benchmark::DoNotOptimize(image->Pixels);
  }
  SetRate(state, cpuStart);
}

// What a colour profile adds to decoding a picture: converting 12 megapixels
// from Adobe RGB to sRGB (pictures without a profile never pay it).
void BM_AdobeRgbToSrgb(benchmark::State& state) {
  std::ifstream in("/usr/share/color/icc/compatibleWithAdobeRGB1998.icc", std::ios::binary);
  const std::vector<uint8_t> profile((std::istreambuf_iterator<char>(in)), {});
  imaging::Image photo;
  imaging::newdib(&photo, kWidth, kHeight, 24, nullptr, 0);
  for (uint32_t i = 0; i < photo->Info->bmiHeader.biSizeImage; ++i) photo->Pixels[i] = uint8_t(i * 7);
  const double cpuStart = ProcessCpuSeconds();
  for (auto _ : state) imaging::colour::EmbeddedProfileToSrgb(*photo, profile.data(), profile.size());
  SetRate(state, cpuStart);
}

BENCHMARK(BM_LibheifDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_OpenDib)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_AdobeRgbToSrgb)->Unit(benchmark::kMillisecond);

// libheif decodes on worker threads, so the figures to compare are wall time
// and the CPU time of all threads (steadier on a busy machine); Google
// Benchmark's CPU column counts the calling thread only.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // With --benchmark_repetitions the median stands for the benchmark.
      if (!run.aggregate_name.empty() && run.aggregate_name != "median") continue;
      const auto cpu = run.counters.find("all_threads_cpu_ms");
      times_[run.run_name.function_name] = {run.real_accumulated_time / double(run.iterations),
                                            cpu == run.counters.end() ? 0.0 : double(cpu->second)};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio() const {
    if (!times_.count(kFloor) || !times_.count(kOurs)) return;
    const auto& [floorWall, floorCpu] = times_.at(kFloor);
    const auto& [oursWall, oursCpu] = times_.at(kOurs);
    std::printf("OpenDib / libheif decode = %.3f by wall time, %.3f by CPU time of all threads (goal <= 1.10)\n",
                oursWall / floorWall, floorCpu > 0 ? oursCpu / floorCpu : 0.0);
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Photo();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio();
  benchmark::Shutdown();
  return 0;
}
