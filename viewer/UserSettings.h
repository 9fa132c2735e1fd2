#pragma once
// Where the desktop program keeps the user's own settings (window state,
// recent albums, print percentages): the one place that names the store.
#include <QSettings>

namespace viewer {

inline constexpr const char* kSettingsOrganisation = "Vendrix";
inline constexpr const char* kSettingsApplication = "Web Lumivista";

inline QSettings UserSettings() {
  return QSettings(QString::fromLatin1(kSettingsOrganisation), QString::fromLatin1(kSettingsApplication));
}

}  // namespace viewer
