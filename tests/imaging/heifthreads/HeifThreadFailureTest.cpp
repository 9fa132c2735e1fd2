// libheif decodes the tiles of a grid picture on threads it starts itself
// (std::async), and a thread that cannot start throws std::system_error
// out through its C interface. This program's own pthread_create refuses on
// request, so the throw really comes from inside libheif.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <atomic>
#include <cerrno>

#include "imaging/codecs/DecodeSupport.h"
#include "support/HeifFixtures.h"
#include "support/TempFolder.h"

namespace {

std::atomic<bool> refuseThreads{false};
std::atomic<int> threadsRefused{0};

}  // namespace

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*start)(void*),
                              void* argument) noexcept {
  using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
  static const auto real = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
  if (refuseThreads) {
    ++threadsRefused;
    return EAGAIN;
  }
  return real(thread, attributes, start, argument);
}

namespace {

TEST(HeifThreadFailure, AThreadLibheifCannotStartFailsThePictureForWantOfMemory) {
  TempFolder folder;
  heiffixtures::BlowUp("png-rgb-8.png", "-crop 80x48+0+0 -extent 80x80", "PNG24:" + folder.Path("square.png"));
  heiffixtures::HeifEnc(folder.Path("square.png"), folder.Path("square.heic"));
  const std::vector<uint8_t> grid =
      heiffixtures::GridOfOneTile(heiffixtures::ReadFile(folder.Path("square.heic")), 2, 2);
  ASSERT_FALSE(grid.empty());
  heiffixtures::WriteFile(folder.Path("grid.heic"), grid);
  {
    imaging::Image decoded;
    EXPECT_EQ(imaging::DibWidth(fixtures::Open(decoded, folder.Path("grid.heic"))), 160);
  }

  refuseThreads = true;
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, folder.Path("grid.heic"));
  refuseThreads = false;
  EXPECT_GT(threadsRefused.load(), 0);
  EXPECT_EQ(image.Pixels, nullptr);
  EXPECT_EQ(std::string(image.ErrorText), imaging::codecs::kOutOfMemory);

  // Threads again, and the same file decodes as before.
  imaging::Image again;
  EXPECT_EQ(imaging::DibWidth(fixtures::Open(again, folder.Path("grid.heic"))), 160);
}

}  // namespace
