#include "platform/qt/UserSettings.h"

namespace platform {

QSettings UserSettings() {
  return QSettings(QString::fromLatin1(kSettingsOrganisation), QString::fromLatin1(kSettingsApplication));
}

}  // namespace platform
