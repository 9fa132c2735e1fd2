#pragma once
// Where the desktop program keeps the user's own settings (window state,
// recent albums, print percentages, publish targets): the one place that
// names the store.
#include <QSettings>

namespace platform {

inline constexpr const char* kSettingsOrganisation = "Vendrix";
inline constexpr const char* kSettingsApplication = "Web Lumivista";

QSettings UserSettings();

}  // namespace platform
