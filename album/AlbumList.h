#pragma once
// Operations on the album picture list behind the main window's handlers.
// They work on plain indices (line i of every list view is entry i), so the
// windows only collect selections and refill their views afterwards.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "album/AlbumPicture.h"

namespace album {

// Appends one entry per name, in order, as "&Hinzufügen" does: the folder
// with a delimiter appended, then the name; both flags set, no comment.
// `addToPrefFolders` receives that folder once per added name. An empty
// folder (a virtual folder without a path) adds nothing; the parent-folder
// entry ".." is never added.
void AddSelectedNames(AlbumPictures& pictures, const std::string& folder, const std::vector<std::string>& names,
                      const std::function<void(const std::string&)>& addToPrefFolders);

// Removes the entries at the selected indices, walking from the last so no
// entry still to be examined moves. Indices outside the list are ignored.
void RemoveSelected(AlbumPictures& pictures, const std::vector<int>& selected);

// Releases all entries (the list's storage included).
void DelallPics(AlbumPictures& pictures);

// Swaps entry `current` with the one before (UpNow) or after (DownNow).
// Gives the line that should become current, or nothing when `current` is
// at the end of the list or names no entry.
std::optional<int> UpNow(AlbumPictures& pictures, int current);
std::optional<int> DownNow(AlbumPictures& pictures, int current);

// The line an entry shows in the list views: the file name without folder.
std::string LineText(const AlbumPicture& picture);

// Lines of all three list views, in album order.
std::vector<std::string> LineTexts(const AlbumPictures& pictures);

// True when `index` names an entry of the list.
bool NamesEntry(const AlbumPictures& pictures, int index);

}  // namespace album
