#pragma once
// The file-type filter text of the image library: "description|masks|..."
// with the masks of one entry separated by ";".
#include <string>
#include <string_view>
#include <vector>

namespace app {

struct FilterEntry {
  std::string Description;
  std::string Mask;
};

// One entry per description and mask pair; a trailing description without
// a mask gets the empty mask.
std::vector<FilterEntry> ParseFilterText(std::string_view text);

// The mask of entry `index`. No entry chosen (index out of range) takes the
// last entry; with no entries at all the mask is "*.*".
std::string MaskOfEntry(const std::vector<FilterEntry>& entries, int index);

// The patterns of a mask for the file list. "*.*" and "*" match every
// name here too, as on Windows, where "*.*" also matches names without a dot.
std::vector<std::string> MaskPatterns(std::string_view mask);

}  // namespace app
