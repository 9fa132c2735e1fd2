#include "app/logic/Favourites.h"

#include "platform/InstallLayout.h"
#include "platform/SafeFile.h"

namespace app {

void AddFavourite(std::vector<std::string>& items, const std::string& folder) {
  for (size_t i = items.size(); i-- > 0;) {
    if (items[i] == folder) {
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  items.insert(items.begin(), folder);
}

std::vector<std::string> ParseFavouritesFile(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(start, end - start));
    start = end;
    if (start < bytes.size() && bytes[start] == '\r') ++start;
    if (start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

std::string FavouritesFileText(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += item + "\r\n";
  return text;
}

std::vector<std::string> LoadFavourites(const std::string& programFolder) {
  std::string bytes;
  if (!platform::ReadWholeFile(platform::StateFilePath(programFolder, FavouritesFileName), bytes)) return {};
  return ParseFavouritesFile(bytes);
}

bool SaveFavourites(const std::string& programFolder, const std::vector<std::string>& items) {
  return platform::WriteStateFile(programFolder, FavouritesFileName, FavouritesFileText(items));
}

}  // namespace app
