#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/Paths.h"
#include "platform/SafeFile.h"

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
  EXPECT_TRUE(std::filesystem::equivalent(ToFileSystem(folder),
                                          std::filesystem::read_symlink("/proc/self/exe").parent_path()));
}

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lumivista-safefile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& ansiName) const { return FromFileSystem(dir_.string()) + "/" + ansiName; }
  std::filesystem::path dir_;
};

TEST_F(SafeFileTest, WritesAndReadsBackUmlautNames) {
  const std::string name = Path("B\xE4ume.txt");
  ASSERT_TRUE(WriteFileAtomically(name, "eins\r\nzwei"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Bäume.txt"));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(name, bytes));
  EXPECT_EQ(bytes, "eins\r\nzwei");
}

TEST_F(SafeFileTest, FailedWriteKeepsWhatWasThereAndLeavesNoTemporary) {
  // Renaming over a folder fails even for root, so this failure is certain.
  std::filesystem::create_directories(dir_ / "target" / "inside");
  EXPECT_FALSE(WriteFileAtomically(Path("target"), "new"));
  EXPECT_TRUE(DirectoryExists(Path("target/inside")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(SafeFileTest, WriteIntoMissingFolderFails) {
  EXPECT_FALSE(WriteFileAtomically(Path("nowhere/x.txt"), "x"));
  std::string bytes;
  EXPECT_FALSE(ReadWholeFile(Path("missing.txt"), bytes));
  EXPECT_FALSE(ReadWholeFile(Path(""), bytes));  // a folder is not a file
}

TEST_F(SafeFileTest, NamedPipeIsRefusedWithoutWaitingForAWriter) {
  ASSERT_EQ(::mkfifo((dir_ / "pipe.lva").c_str(), 0600), 0);
  std::string bytes;
  EXPECT_FALSE(ReadWholeFile(Path("pipe.lva"), bytes));
}

TEST_F(SafeFileTest, ForceDirectoriesCreatesParents) {
  EXPECT_TRUE(ForceDirectories(Path("a/b/c")));
  EXPECT_TRUE(DirectoryExists(Path("a/b/c")));
  EXPECT_FALSE(FileExists(Path("a/b/c")));
}

TEST_F(SafeFileTest, PublishingTakesOnlyFreeNames) {
  EXPECT_EQ(PublishNewFile(Path("a.jpg"), "eins"), PublishOutcome::Published);
  EXPECT_EQ(PublishNewFile(Path("a.jpg"), "zwei"), PublishOutcome::NameTaken);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(Path("a.jpg"), bytes));
  EXPECT_EQ(bytes, "eins");
  std::filesystem::create_symlink("nirgends", dir_ / "b.jpg");  // a dangling link is in the way too
  EXPECT_EQ(PublishNewFile(Path("b.jpg"), "drei"), PublishOutcome::NameTaken);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "nirgends"));
  EXPECT_EQ(PublishNewFile(Path("fehlt/c.jpg"), "vier"), PublishOutcome::Failed);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2);
}
