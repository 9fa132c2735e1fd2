#include "album/AlbumList.h"

#include <algorithm>
#include <utility>

#include "platform/Paths.h"

namespace album {

void AddSelectedNames(AlbumPictures& pictures, const std::string& folder, const std::vector<std::string>& names,
                      const std::function<void(const std::string&)>& addToPrefFolders) {
  if (folder.empty()) return;
  const std::string prefix = platform::IncludeTrailingDelimiter(folder);
  for (const std::string& name : names) {
    if (name == "..") continue;
    if (addToPrefFolders) addToPrefFolders(prefix);
    AlbumPicture picture;
    picture.FileName = prefix + name;
    pictures.push_back(std::move(picture));
  }
}

void RemoveSelected(AlbumPictures& pictures, const std::vector<int>& selected) {
  std::vector<int> lines = selected;
  std::sort(lines.begin(), lines.end(), std::greater<>());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  for (const int line : lines)
    if (NamesEntry(pictures, line)) pictures.erase(pictures.begin() + line);
  if (pictures.empty()) AlbumPictures().swap(pictures);
}

void DelallPics(AlbumPictures& pictures) { AlbumPictures().swap(pictures); }

std::optional<int> UpNow(AlbumPictures& pictures, int current) {
  if (current < 1 || current > PictureCount(pictures) - 1) return std::nullopt;
  std::swap(pictures[current - 1], pictures[current]);
  return current - 1;
}

std::optional<int> DownNow(AlbumPictures& pictures, int current) {
  if (current < 0 || current > PictureCount(pictures) - 2) return std::nullopt;
  std::swap(pictures[current], pictures[current + 1]);
  return current + 1;
}

std::string LineText(const AlbumPicture& picture) { return platform::ExtractFileName(picture.FileName); }

std::vector<std::string> LineTexts(const AlbumPictures& pictures) {
  std::vector<std::string> lines;
  lines.reserve(pictures.size());
  for (const AlbumPicture& picture : pictures) lines.push_back(LineText(picture));
  return lines;
}

bool NamesEntry(const AlbumPictures& pictures, int index) { return index >= 0 && index < PictureCount(pictures); }

}  // namespace album
