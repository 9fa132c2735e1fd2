#include "app/StartFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/InstallLayout.h"
#include "platform/Paths.h"

namespace app {

std::string StartFolder(const std::string& programFolder) {
  if (platform::LayoutOf(programFolder) == platform::Layout::ProgramFolder) return programFolder;
  QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  return platform::IncludeTrailingDelimiter(platform::FromFileSystem(folder.toStdString()));
}

}  // namespace app
