#include "platform/qt/DesktopIntegration.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

#include "platform/InstallLayout.h"
#include "platform/qt/QtText.h"

namespace platform {

void SetUpDesktopIntegration() {
  QIcon icon;
  for (const char* size : {"48x48", "256x256"})
    icon.addFile(QStringLiteral(":/icons/hicolor/%1/apps/web-lumivista.png").arg(QLatin1String(size)));
  QApplication::setWindowIcon(icon);
  QGuiApplication::setDesktopFileName(QStringLiteral("example.vendrix.WebLumivista"));

  const DataFolders folders = CurrentDataFolders();
  if (folders.layout == Layout::Installed && !folders.stateFolder.empty())
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ToQString(folders.stateFolder));
}

}  // namespace platform
