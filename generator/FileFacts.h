#pragma once
// What identifies a file's content cheaply: size, modification time in
// nanoseconds, inode and device. Equal facts mean an unchanged file without
// reading it; differing facts only mean the bytes must be looked at.
#include <cstdint>
#include <optional>
#include <string>

namespace generator {

struct FileFacts {
  int64_t Size = 0;
  int64_t ModifiedNs = 0;
  uint64_t Inode = 0;
  uint64_t Device = 0;

  bool operator==(const FileFacts&) const = default;
};

// The facts of the entry itself; none unless it is a regular file (a link,
// a folder or nothing at all is never one of our outputs).
std::optional<FileFacts> OwnFileFacts(const std::string& path);

// The facts of the file a path leads to, links followed: sources may be links.
std::optional<FileFacts> SourceFileFacts(const std::string& path);

}  // namespace generator
