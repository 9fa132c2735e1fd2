#pragma once
// A fresh folder for one test, named after the test and the process so tests
// running side by side never share one, and removed afterwards. Names inside
// it are the program's 8-bit text, converted when they reach the disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // 8-bit path of `relative` inside the folder; Path() ends with a delimiter.
  std::string Path(const std::string& relative = "") const;
  // Writes the file, making its folders first.
  void Write(const std::string& relative, const std::string& bytes) const;
  // The file's bytes, empty when it cannot be read.
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  void MakeFolder(const std::string& relative) const;

 private:
  std::filesystem::path OnDisk(const std::string& relative) const;

  std::filesystem::path root_;
};

// A fixture with one TempFolder: `folder_` is its root on disk.
class TempFolderTest : public ::testing::Test {
 protected:
  // The file-system path of `name` inside the folder.
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  TempFolder temp_;
  const std::filesystem::path folder_ = temp_.Root();
};
