#include "generator/NewNames.h"

namespace generator {

NewNames::NewNames(const BuildRecord& record) {
  for (const RecordedPicture& picture : record.Pictures)
    for (const OutputKindInfo& info : kOutputKinds)
      if (!picture.Outputs[static_cast<size_t>(info.Kind)].Name.empty())
        claimed_.emplace(info.Kind, picture.Outputs[static_cast<size_t>(info.Kind)].Name);
}

FreeNames::Candidate NewNames::Find(const std::string& folder, OutputKind kind, const std::string& base) {
  const char* extension = InfoOf(kind).Extension;
  FreeNames::Candidate name = names_.Find(folder, base, extension);
  while (claimed_.contains({kind, name.Name})) {
    names_.Taken(folder, base, extension, name);
    name = names_.Find(folder, base, extension);
  }
  return name;
}

void NewNames::Taken(const std::string& folder, OutputKind kind, const std::string& base,
                     const FreeNames::Candidate& name) {
  names_.Taken(folder, base, InfoOf(kind).Extension, name);
}

}  // namespace generator
