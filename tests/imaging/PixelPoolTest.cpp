// Pixel blocks recycled by newdib and freed Images: reused blocks come back
// zeroed, the pool stays bounded whatever the number of pictures, and
// pictures made on one thread may be freed on another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "imaging/PixelPool.h"
#include "imaging/Rastola.h"

namespace {

// 1024 x 1024 x 24 bits: 3 MB, a size the pool keeps.
imaging::Image NewPicture(int32_t height = 1024) {
  imaging::Image image;
  imaging::newdib(&image, 1024, height, 24, nullptr, 0);
  return image;
}

size_t MostKeptBlocks() { return std::max(2u, std::thread::hardware_concurrency()); }

TEST(PixelPool, ReusedBlocksComeBackZeroed) {
  imaging::DrainPixelPool();
  imaging::Image first = NewPicture();
  ASSERT_NE(first->Pixels, nullptr);
  uint8_t* const block = first->Pixels;
  std::memset(first->Pixels, 0xAB, first->Info->bmiHeader.biSizeImage);
  first.reset();
  EXPECT_EQ(imaging::PixelPoolUsage().freeBlocks, 1u);

  imaging::Image second = NewPicture(1000);  // a little smaller still fits
  ASSERT_EQ(second->Pixels, block) << "the kept block is reused";
  const uint8_t* pixels = second->Pixels;
  EXPECT_TRUE(std::all_of(pixels, pixels + second->Info->bmiHeader.biSizeImage, [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(imaging::PixelPoolUsage().freeBlocks, 0u);
  second.reset();
  imaging::DrainPixelPool();
  EXPECT_EQ(imaging::PixelPoolUsage().freeBytes, 0u);
}

TEST(PixelPool, HeldMemoryStaysBoundedAcrossManyPictures) {
  constexpr int kShortest = 600;
  constexpr size_t kLargestBytes = size_t{1024} * 3 * (kShortest + 97 * 6);
  imaging::DrainPixelPool();
  for (int round = 0; round < 40; ++round) {
    // Pictures of changing sizes, several alive at once, as a run has them.
    std::vector<imaging::Image> alive;
    for (int i = 0; i < 3; ++i) alive.push_back(NewPicture(kShortest + 97 * ((round + i) % 7)));
    alive.clear();
    const imaging::PoolUsage usage = imaging::PixelPoolUsage();
    ASSERT_LE(usage.freeBlocks, MostKeptBlocks());
    ASSERT_LE(usage.freeBytes, MostKeptBlocks() * kLargestBytes);
  }
  imaging::DrainPixelPool();
}

TEST(PixelPool, PicturesMadeOnOneThreadAreFreedOnAnother) {
  imaging::DrainPixelPool();
  constexpr int kThreads = 4, kPictures = 20;
  std::vector<std::vector<imaging::Image>> made(kThreads);
  std::vector<std::thread> makers;
  for (int t = 0; t < kThreads; ++t) {
    makers.emplace_back([&made, t] {
      for (int i = 0; i < kPictures; ++i) {
        imaging::Image image = NewPicture(512 + 64 * (i % 4));
        if (image) image->Pixels[0] = uint8_t(t);
        made[size_t(t)].push_back(std::move(image));
        if (i % 2) NewPicture();  // churn the pool meanwhile
      }
    });
  }
  for (std::thread& maker : makers) maker.join();
  std::vector<std::thread> freers;
  for (int t = 0; t < kThreads; ++t) {
    freers.emplace_back([&made, t] {
      for (imaging::Image& image : made[size_t((t + 1) % kThreads)]) {
        EXPECT_NE(image->Pixels, nullptr);
        image.reset();
      }
    });
  }
  for (std::thread& freer : freers) freer.join();
  EXPECT_LE(imaging::PixelPoolUsage().freeBlocks, MostKeptBlocks());
  imaging::DrainPixelPool();
}

}  // namespace
