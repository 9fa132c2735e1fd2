#pragma once
// The recent albums and what is remembered per album file in the user's own
// settings of the desktop program.
#include "app/logic/RecentAlbums.h"

namespace app {

RecentAlbums LoadRecentAlbums();
void SaveRecentAlbums(const RecentAlbums& albums);

// The design (template set) an album was last saved or built with; the
// album file has no field for it. Empty when none is known.
QString StoredDesign(const QString& albumFile);
void RememberDesign(const QString& albumFile, const QString& design);

}  // namespace app
