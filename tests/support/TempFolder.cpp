#include "support/TempFolder.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>

#include "platform/Paths.h"

namespace {

// Test name, process and a running number: unique even for two folders of one test.
std::string UniqueName() {
  static std::atomic<int> count{0};
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "lumivista-" +
                     (info ? std::string(info->test_suite_name()) + "-" + info->name() : std::string("global")) + "-" +
                     std::to_string(::getpid()) + "-" + std::to_string(count++);
  std::replace(name.begin(), name.end(), '/', '_');
  return name;
}

}  // namespace

TempFolder::TempFolder() : root_(std::filesystem::temp_directory_path() / UniqueName()) {
  std::filesystem::remove_all(root_);
  std::filesystem::create_directories(root_);
}

TempFolder::~TempFolder() {
  // A test may have made the folder read-only to provoke a failed write.
  std::error_code ec;
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ec);
  std::filesystem::remove_all(root_, ec);
}

std::string TempFolder::Path(const std::string& relative) const {
  return platform::FromFileSystem(root_.string()) + "/" + relative;
}

std::filesystem::path TempFolder::OnDisk(const std::string& relative) const {
  return root_ / platform::ToFileSystem(relative);
}

void TempFolder::Write(const std::string& relative, const std::string& bytes) const {
  const std::filesystem::path path = OnDisk(relative);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& relative) const {
  std::ifstream in(OnDisk(relative), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool TempFolder::Exists(const std::string& relative) const { return std::filesystem::exists(OnDisk(relative)); }

void TempFolder::MakeFolder(const std::string& relative) const {
  std::filesystem::create_directories(OnDisk(relative));
}
