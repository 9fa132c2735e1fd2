#pragma once
// The desktop program's place on the desktop: its icon, and where Qt keeps
// the remembered window and print settings.

namespace platform {

// Sets the window icon of every window, and when the program runs installed
// moves the settings store into the user's folder of writable files
// (platform/InstallLayout.h), keeping its names. Call right after the
// QApplication is made and before any setting is read.
void SetUpDesktopIntegration();

}  // namespace platform
