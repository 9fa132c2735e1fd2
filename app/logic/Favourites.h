#pragma once
// The favourite folders: most recently used first, kept in "folders.dat"
// beside the program, one folder per CR LF line. Two items are the same
// folder only when their bytes are equal.
#include <string>
#include <string_view>
#include <vector>

namespace app {

inline constexpr const char* FavouritesFileName = "folders.dat";

// Moves `folder` to the top: the last equal item is removed (so one of two
// duplicates stays), then `folder` goes first.
void AddFavourite(std::vector<std::string>& items, const std::string& folder);

// The file's lines, split at CR, LF or CR LF as a text file is read; a break
// at the very end starts no further line.
std::vector<std::string> ParseFavouritesFile(std::string_view bytes);
std::string FavouritesFileText(const std::vector<std::string>& items);

// Reads "folders.dat" of a program in `programFolder` (beside it, or in the
// user's configuration folder once installed); empty when it cannot be read.
std::vector<std::string> LoadFavourites(const std::string& programFolder);
// Rewrites the file safely; false (and the old file intact) on failure.
bool SaveFavourites(const std::string& programFolder, const std::vector<std::string>& items);

}  // namespace app
