#pragma once
// The user's own settings of the desktop program (window geometry, recent
// albums); one place names where they are kept.
#include <QSettings>

#include "app/RecentAlbums.h"

namespace app {

QSettings UserSettings();

RecentAlbums LoadRecentAlbums();
void SaveRecentAlbums(const RecentAlbums& albums);

}  // namespace app
