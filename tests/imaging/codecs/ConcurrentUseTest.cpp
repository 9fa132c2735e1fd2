// An album run opens, promotes and encodes pictures on several threads at
// once and may free a picture on another thread than the one that made it.
// Every thread must get exactly the bytes a lone thread gets.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "imaging/DepthPromotion.h"
#include "imaging/codecs/JpegWriter.h"
#include "support/ImagingFixtures.h"

namespace {

const char* const kPictures[] = {"jpeg-progressive.jpg", "png-rgba-8-interlaced.png",
                                 "gif-interlaced.gif",   "tiff-rgb.tif",
                                 "bmp-rle8.bmp",         "webp-alpha.webp"};

// What one picture becomes in a run: opened, promoted to 24 bits, encoded.
std::string CopyOf(const char* name, imaging::codecs::JpegBuffer& buffer, imaging::Image& opened) {
  imaging::OpenDib(&opened, fixtures::Path(name).c_str(), 0, nullptr);
  if (!opened) return std::string("failed: ") + opened->ErrorText;
  imaging::DepthUpTo24(opened);
  imaging::codecs::ProgressMeter progress(nullptr);
  if (!imaging::codecs::EncodeJpeg(*opened, progress, buffer)) return "not encoded";
  return std::string(reinterpret_cast<const char*>(buffer.data()), buffer.size());
}

TEST(ConcurrentUse, ThreadsOpeningAndEncodingAtOnceGetTheBytesOfALoneThread) {
  std::vector<std::string> expected;
  imaging::codecs::JpegBuffer buffer;
  for (const char* name : kPictures) {
    imaging::Image image;
    expected.push_back(CopyOf(name, buffer, image));
    ASSERT_TRUE(image) << name;
  }

  std::mutex mutex;
  std::vector<imaging::Image> toFree;  // freed later, on the main thread
  std::vector<std::string> mismatches;
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&, t] {
      imaging::codecs::JpegBuffer own;
      for (int round = 0; round < 6; ++round) {
        const size_t i = size_t(t + round) % std::size(kPictures);
        imaging::Image image;
        const std::string copy = CopyOf(kPictures[i], own, image);
        const std::lock_guard lock(mutex);
        if (copy != expected[i]) mismatches.push_back(kPictures[i]);
        toFree.push_back(std::move(image));
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  toFree.clear();
  EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " copies differ, first " << mismatches.front();
}

}  // namespace
