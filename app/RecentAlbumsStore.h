#pragma once
// The recent albums in the user's own settings of the desktop program.
#include "app/logic/RecentAlbums.h"

namespace app {

RecentAlbums LoadRecentAlbums();
void SaveRecentAlbums(const RecentAlbums& albums);

}  // namespace app
