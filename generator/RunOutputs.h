#pragma once
// The names of one run's output files, kept by the generator apart from the
// album it reads: per picture one name per kind of output, empty when that
// output was not made, and the picture's size for the pages that show it.
// A new kind of output is one more entry of OutputKind
// and of kOutputKinds.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace generator {

// Screen and Thumbnail2x are the extra sizes for screens of high pixel
// density, made only for template sets that show them (ExtraSizes.h).
enum class OutputKind { Page, Copy, Thumbnail, Screen, Thumbnail2x };

struct OutputKindInfo {
  OutputKind Kind;
  const char* Folder;     // below the target folder
  const char* Extension;  // of every file of that kind
  const char* RecordTag;  // its key in the build record
};

inline constexpr std::array<OutputKindInfo, 5> kOutputKinds{{
    {OutputKind::Page, "html", ".htm", "page"},
    {OutputKind::Copy, "pics", ".jpg", "copy"},
    {OutputKind::Thumbnail, "mini", ".jpg", "thumb"},
    {OutputKind::Screen, "screen", ".jpg", "screen"},
    {OutputKind::Thumbnail2x, "mini2x", ".jpg", "thumb2x"},
}};

inline constexpr size_t kOutputKindCount = kOutputKinds.size();

inline const OutputKindInfo& InfoOf(OutputKind kind) { return kOutputKinds[static_cast<size_t>(kind)]; }

// Every kind but the page is made from the decoded picture.
inline bool IsPictureFile(OutputKind kind) { return kind != OutputKind::Page; }

struct PictureOutputs {
  std::array<std::string, kOutputKindCount> Names;
  int32_t Width = 0, Height = 0;  // of the source picture; 0 when it did not open

  std::string& operator[](OutputKind kind) { return Names[static_cast<size_t>(kind)]; }
  const std::string& operator[](OutputKind kind) const { return Names[static_cast<size_t>(kind)]; }
};

// One entry per album picture, in album order.
using RunOutputs = std::vector<PictureOutputs>;

}  // namespace generator
