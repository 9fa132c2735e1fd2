// A mapped file that another program cuts short while we read it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/MappedFile.h"
#include "support/TempFolder.h"

namespace {

TEST(MappedFile, BytesLostToAShorterFileReadAsZerosAndMarkTheMapping) {
  TempFolder folder;
  const std::string path = folder.Path("picture.bin");
  const size_t size = 5 * static_cast<size_t>(::sysconf(_SC_PAGESIZE)) + 123;
  std::ofstream(path, std::ios::binary) << std::string(size, '\xAB');

  platform::MappedFile file;
  ASSERT_TRUE(file.Open(path, size));
  EXPECT_FALSE(file.CutShort());
  ASSERT_EQ(::truncate(path.c_str(), 100), 0);

  // Without the guard the first read past byte 4095 ends the process.
  size_t kept = 0, zeros = 0;
  for (size_t i = 0; i < file.size(); ++i) {
    if (file.data()[i] == 0xAB) ++kept;
    if (file.data()[i] == 0) ++zeros;
  }
  EXPECT_TRUE(file.CutShort());
  EXPECT_GE(kept, 100u);
  EXPECT_EQ(kept + zeros, size);

  // The next file mapped is watched afresh.
  std::ofstream(path, std::ios::binary) << std::string(size, '\xCD');
  ASSERT_TRUE(file.Open(path, size));
  EXPECT_EQ(file.data()[size - 1], 0xCD);
  EXPECT_FALSE(file.CutShort());
}

}  // namespace
