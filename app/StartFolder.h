#pragma once
// Where the folder tree and the album dialogs start when nothing better is
// known. Run from the build tree that is the program's folder, as always;
// installed, the program's folder (/usr/bin) is no place for pictures, so
// the user's pictures folder (XDG), else the home folder.
#include <string>

namespace app {

// The folder, ending with the delimiter.
std::string StartFolder(const std::string& programFolder);

}  // namespace app
