#pragma once
// Names of the generated files. They hold only ASCII letters and digits
// before the extension, so no generated file can leave its folder.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/SafeFile.h"

namespace generator {

// Only A-Z, a-z and 0-9 of `text`, in order.
std::string AlnumOnly(std::string_view text);

// The base of a source picture's output names: its file name without folder
// and without the extension (from the last dot on), through AlnumOnly.
std::string NameBase(std::string_view sourcePath);

// base + extension if no entry of that name exists in `folder` (ending with
// the delimiter), else base + n + extension for the smallest free n = 0, 1, ...
// An empty base always takes a number (0.htm, 1.htm, ...), never a hidden name.
std::string FreeName(const std::string& folder, const std::string& base, const std::string& extension);

// The free-name rule over one run. It remembers per folder, base and
// extension which candidates are taken, so the n-th picture of a name costs
// one look on disk instead of n; every candidate handed out is still
// confirmed free on disk, as another process may write into the same folder.
class FreeNames {
 public:
  struct Candidate {
    std::string Name;
    int64_t Number = -1;  // -1 for base + extension, else the n of base + n + extension
  };
  Candidate Find(const std::string& folder, const std::string& base, const std::string& extension);
  // The candidate is taken now (by this run or by another): later searches start after it.
  void Taken(const std::string& folder, const std::string& base, const std::string& extension,
             const Candidate& candidate);

 private:
  std::map<std::string, int64_t> firstUnknown_;
};

// How many entries the free-name rule has looked up on disk so far.
uint64_t FreeNameProbes();

// Creates an empty file, never replacing an existing entry.
platform::PublishOutcome CreateEmptyFile(const std::string& path);

}  // namespace generator
