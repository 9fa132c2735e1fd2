#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Paths.h"

using namespace platform;

TEST(Paths, FolderAndFileNameParts) {
  EXPECT_EQ(ExtractFilePath("/home/anna/Bilder/a.jpg"), "/home/anna/Bilder/");
  EXPECT_EQ(ExtractFileName("/home/anna/Bilder/a.jpg"), "a.jpg");
  EXPECT_EQ(ExtractFilePath("a.jpg"), "");
  EXPECT_EQ(ExtractFileName("a.jpg"), "a.jpg");
  EXPECT_EQ(ExtractFilePath("/folder/"), "/folder/");
  EXPECT_EQ(ExtractFileName("/folder/"), "");
}

TEST(Paths, TrailingDelimiter) {
  EXPECT_TRUE(EndsWithDelimiter("/a/"));
  EXPECT_FALSE(EndsWithDelimiter("/a"));
  EXPECT_FALSE(EndsWithDelimiter(""));
  EXPECT_EQ(IncludeTrailingDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingDelimiter("/a/"), "/a/");
}

TEST(Paths, FolderComparisonIsExactOnLinux) {
  EXPECT_TRUE(SameFolder("/Alben/", "/Alben/"));
  EXPECT_FALSE(SameFolder("/Alben/", "/ALBEN/"));
}

TEST(Paths, ProgramFolderIsTheExecutablesFolder) {
  const std::string folder = ProgramFolder();
  ASSERT_TRUE(EndsWithDelimiter(folder));
  EXPECT_TRUE(
      std::filesystem::equivalent(ToFileSystem(folder), std::filesystem::read_symlink("/proc/self/exe").parent_path()));
}
