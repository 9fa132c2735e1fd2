#include "publish/ChangePlan.h"

#include "publish/AlbumFiles.h"

namespace publish {

ChangePlan PlanChanges(const Manifest& local, const Manifest& previous, bool deleteRemoved) {
  ChangePlan plan;
  for (const auto& [path, entry] : local) {
    const auto old = previous.find(path);
    if (old == previous.end())
      plan.Added.push_back(path);
    else if (old->second != entry)
      plan.Changed.push_back(path);
    else
      continue;
    plan.BytesToSend += entry.Size;
  }
  if (deleteRemoved)
    for (const auto& [path, entry] : previous)
      if (!local.contains(path) && IsAlbumPath(path)) plan.Removed.push_back(path);
  return plan;
}

std::vector<std::string> DescribeChanges(const ChangePlan& plan) {
  std::vector<std::string> lines;
  for (const std::string& path : plan.Added) lines.push_back("neu: " + path);
  for (const std::string& path : plan.Changed) lines.push_back("ge\xC3\xA4ndert: " + path);
  for (const std::string& path : plan.Removed) lines.push_back("entfernt: " + path);
  return lines;
}

}  // namespace publish
