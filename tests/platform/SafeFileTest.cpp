#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "support/TempFolder.h"

using namespace platform;

class SafeFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& ansiName) const { return temp_.Path(ansiName); }
  TempFolder temp_;
  const std::filesystem::path dir_ = temp_.Root();
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
