#pragma once
// The ten page fragments of a template set, read as 8-bit text.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Messages.h"

namespace generator {

enum class Fragment {
  MainFirst,
  MainLoopFirstCol1,
  MainLoop,
  MainLoopFirstCol2,
  MainLoopEmpty,
  MainEnd,
  Detail,
  DetailPrevLink,
  DetailNextLink,
  DetailOverviewLink,
};
inline constexpr size_t kFragmentCount = 10;

// "mainfirst.htm" and so on.
const char* FragmentFileName(Fragment fragment);

// File bytes as fragment text: lines end at CR, LF or CR LF, a NUL byte ends
// the text, and every line (the last included) is followed by CR LF. A final
// line break starts no further line; empty bytes give the empty text.
std::string FragmentText(std::string_view bytes);

class TemplateFragments {
 public:
  const std::string& operator[](Fragment f) const { return texts_[static_cast<size_t>(f)]; }
  std::string& operator[](Fragment f) { return texts_[static_cast<size_t>(f)]; }

 private:
  std::array<std::string, kFragmentCount> texts_;
};

// Reads all ten fragments from `setFolder` (ending with the delimiter). The
// first one missing or unreadable is reported through the general error
// display as "Datei <path> kann nicht geöffnet werden." and gives nothing.
std::optional<TemplateFragments> ReadTemplateFragments(const std::string& setFolder, platform::Messages& messages);

}  // namespace generator
