#pragma once
// A fresh folder per test, removed afterwards; paths handed out as 8-bit text.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Paths.h"

class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("lumivista-gen-") + info->test_suite_name() + "-" + info->name() + "-" +
                       std::to_string(::getpid());
    std::replace(name.begin(), name.end(), '/', '_');
    root_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(root_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // 8-bit path of `relative`, with a delimiter at the end when asked.
  std::string Path(const std::string& relative = "") const {
    return platform::FromFileSystem((root_ / relative).string());
  }
  void Write(const std::string& relative, const std::string& bytes) const {
    const auto p = root_ / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& relative) const { return std::filesystem::exists(root_ / relative); }

 private:
  std::filesystem::path root_;
};
