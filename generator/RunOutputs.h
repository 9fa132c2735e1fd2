#pragma once
// The names of one run's output files, kept by the generator apart from the
// album it reads: per picture one name per kind of output, empty when that
// output was not made. A new kind of output is one more entry of OutputKind
// and of kOutputKinds.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace generator {

enum class OutputKind { Page, Copy, Thumbnail };

struct OutputKindInfo {
  OutputKind Kind;
  const char* Folder;     // below the target folder
  const char* Extension;  // of every file of that kind
  const char* RecordTag;  // its key in the build record
};

inline constexpr std::array<OutputKindInfo, 3> kOutputKinds{{
    {OutputKind::Page, "html", ".htm", "page"},
    {OutputKind::Copy, "pics", ".jpg", "copy"},
    {OutputKind::Thumbnail, "mini", ".jpg", "thumb"},
}};

inline constexpr size_t kOutputKindCount = kOutputKinds.size();

inline const OutputKindInfo& InfoOf(OutputKind kind) { return kOutputKinds[static_cast<size_t>(kind)]; }

// Every kind but the page is made from the decoded picture.
inline bool IsPictureFile(OutputKind kind) { return kind != OutputKind::Page; }

struct PictureOutputs {
  std::array<std::string, kOutputKindCount> Names;

  std::string& operator[](OutputKind kind) { return Names[static_cast<size_t>(kind)]; }
  const std::string& operator[](OutputKind kind) const { return Names[static_cast<size_t>(kind)]; }
};

// One entry per album picture, in album order.
using RunOutputs = std::vector<PictureOutputs>;

}  // namespace generator
