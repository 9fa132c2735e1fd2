#pragma once
// What a publish changes on the server: files to send because they are new
// or differ from the previous manifest, and (with deletion on) files of the
// album the previous manifest lists that the folder no longer holds; never a
// hidden name or one outside the album's pages and folders.
#include <cstdint>
#include <string>
#include <vector>

#include "publish/Manifest.h"

namespace publish {

struct ChangePlan {
  std::vector<std::string> Added;
  std::vector<std::string> Changed;
  std::vector<std::string> Removed;
  uint64_t BytesToSend = 0;

  bool Empty() const { return Added.empty() && Changed.empty() && Removed.empty(); }
};

ChangePlan PlanChanges(const Manifest& local, const Manifest& previous, bool deleteRemoved);

// One line per change, "neu: PATH", "geändert: PATH", "entfernt: PATH", in
// this order; the command line's dry run and the dialog show the same lines.
std::vector<std::string> DescribeChanges(const ChangePlan& plan);

}  // namespace publish
