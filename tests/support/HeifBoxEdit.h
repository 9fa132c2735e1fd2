#pragma once
// A small box editor for heif-enc files: it gives them the rotation or
// mirroring a phone writes, or builds a grid picture from one (heif-enc has
// no option for either).
#include <cstdint>
#include <vector>

namespace heiffixtures {

// Adds `property` (a whole box such as irot or imir) to the primary image
// of a heif-enc file: appended to ipco, associated as essential in ipma,
// every enclosing box size and every iloc file offset behind meta updated.
// Empty when the file is not laid out as expected.
std::vector<uint8_t> AddPrimaryProperty(std::vector<uint8_t> file, const std::vector<uint8_t>& property);

// A grid picture of columns x rows tiles that all share the one coded
// picture of a heif-enc file (square, libx265): a few kilobytes that decode
// to columns x rows times its pixels. Empty when the file is not laid out as
// expected.
std::vector<uint8_t> GridOfOneTile(const std::vector<uint8_t>& file, int columns, int rows);

}  // namespace heiffixtures
