#pragma once
// Free names for a run's new files: the free-name rule, except that a name
// the build record still gives another picture is never handed out, even
// when its file is missing on disk (that picture will make it again).
#include <set>
#include <string>

#include "generator/BuildRecord.h"
#include "generator/OutputNames.h"

namespace generator {

class NewNames {
 public:
  explicit NewNames(const BuildRecord& record);

  // Finds a free candidate in `folder` (ending with the delimiter) of `kind`.
  FreeNames::Candidate Find(const std::string& folder, OutputKind kind, const std::string& base);
  void Taken(const std::string& folder, OutputKind kind, const std::string& base, const FreeNames::Candidate& name);

 private:
  FreeNames names_;
  std::set<std::pair<OutputKind, std::string>> claimed_;
};

}  // namespace generator
