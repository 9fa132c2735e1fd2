// Speed of the picture files and thumbnail routines on a 12-megapixel
// photo-like picture (smooth gradients plus noise, saved once as JPEG q92).
// Prints megapixels per second and the ratio of OpenDib + SaveDib to the
// TurboJPEG floor: decoding plus a q90 4:2:0 baseline copy, standard tables.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>

#include "RawJpeg.h"
#include "imaging/DepthPromotion.h"
#include "imaging/Rastola.h"
#include "imaging/Resample.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000;
constexpr double kMegapixels = kWidth * double(kHeight) / 1e6;
constexpr int kSaveQuality = 90;

struct Workspace {
  std::filesystem::path folder;
  std::string source, floorCopy, ourCopy;
  Workspace() {
    folder = std::filesystem::temp_directory_path() / ("lumivista-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    source = (folder / "photo.jpg").string();
    floorCopy = (folder / "floor.jpg").string();
    ourCopy = (folder / "ours.jpg").string();
    rawjpeg::Picture photo;
    photo.width = kWidth;
    photo.height = kHeight;
    photo.bgr.resize(size_t(kWidth) * kHeight * 3);
    std::mt19937 noise(42);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        uint8_t* p = photo.bgr.data() + (size_t(y) * kWidth + x) * 3;
        const int n = int(noise() % 17) - 8;
        p[0] = uint8_t(std::clamp(x * 255 / kWidth + n, 0, 255));
        p[1] = uint8_t(std::clamp(y * 255 / kHeight + n, 0, 255));
        p[2] = uint8_t(std::clamp((x + y) * 255 / (kWidth + kHeight) + n, 0, 255));
      }
    }
    rawjpeg::Codec().Encode(photo, 92, source);
  }
  ~Workspace() { std::filesystem::remove_all(folder); }
};

Workspace& Files() {
  static Workspace workspace;
  return workspace;
}

void SetRate(benchmark::State& state) {
  state.counters["MP/s"] = benchmark::Counter(kMegapixels, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_FloorDecodeEncode(benchmark::State& state) {
  rawjpeg::Codec codec;
  rawjpeg::Picture picture;
  for (auto _ : state) {
    codec.Decode(Files().source, picture);
    codec.Encode(picture, kSaveQuality, Files().floorCopy);
  }
  SetRate(state);
}

void BM_OpenDibSaveDib(benchmark::State& state) {
  for (auto _ : state) {
    imaging::Image image;
    imaging::OpenDib(&image, Files().source.c_str(), 0, nullptr);
    imaging::SaveDib(*image, Files().ourCopy.c_str(), imaging::kFormatJpeg, nullptr);
  }
  SetRate(state);
}

void BM_ResizeToThumbnail(benchmark::State& state) {
  imaging::Image photo;
  imaging::OpenDib(&photo, Files().source.c_str(), 0, nullptr);
  for (auto _ : state) {
    const imaging::Image thumbnail = imaging::Resize(*photo, 90, 67);
    benchmark::DoNotOptimize(thumbnail->Pixels);
  }
  SetRate(state);
}

void BM_DepthUpTo24(benchmark::State& state) {
  BITMAPINFO grey{};
  for (int i = 0; i < 256; ++i) grey.bmiColors[i] = RGBQUAD{uint8_t(i), uint8_t(i), uint8_t(i), 0};
  imaging::Image palettePicture;
  imaging::newdib(&palettePicture, kWidth, kHeight, 8, &grey, 256);
  for (uint32_t i = 0; i < palettePicture->Info->bmiHeader.biSizeImage; ++i) {
    palettePicture->Pixels[i] = uint8_t(i * 7);
  }
  for (auto _ : state) {
    state.PauseTiming();
    imaging::Image image;
    newdib(&image, kWidth, kHeight, 8, &grey, 256);
    std::memcpy(image->Pixels, palettePicture->Pixels, image->Info->bmiHeader.biSizeImage);
    state.ResumeTiming();
    imaging::DepthUpTo24(image);
    benchmark::DoNotOptimize(image->Pixels);
    state.PauseTiming();
    state.ResumeTiming();
  }
  SetRate(state);
}

BENCHMARK(BM_FloorDecodeEncode)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_OpenDibSaveDib)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ResizeToThumbnail)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DepthUpTo24)->Unit(benchmark::kMillisecond);

// Remembers each benchmark's times per iteration to print the ratio. CPU
// time is the steadier figure on a busy machine; wall time includes the
// file system (our save flushes the file before renaming it).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const double n = double(run.iterations);
      times_[run.benchmark_name()] = {run.cpu_accumulated_time / n, run.real_accumulated_time / n};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio() const {
    const auto floor = times_.find("BM_FloorDecodeEncode/min_time:3.000");
    const auto ours = times_.find("BM_OpenDibSaveDib/min_time:3.000");
    if (floor == times_.end() || ours == times_.end()) return;
    std::printf("open+save / floor = %.3f by CPU time, %.3f by wall time (target <= 1.10)\n",
                ours->second.first / floor->second.first, ours->second.second / floor->second.second);
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Files();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio();
  benchmark::Shutdown();
  return 0;
}
