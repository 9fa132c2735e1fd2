// The desktop program's icon and the place of its settings store, which
// follows the layout the program runs in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <cstdlib>
#include <filesystem>

#include "platform/Paths.h"
#include "platform/qt/DesktopIntegration.h"
#include "support/GuiApplication.h"

namespace fs = std::filesystem;

namespace {

QString SettingsFile() { return QSettings("Vendrix", "Web Lumivista").fileName(); }

}  // namespace

TEST(DesktopIntegration, WindowIconAndSettingsInTheUsersConfigurationOnceInstalled) {
  EnsureGuiApplication();
  const fs::path root = fs::temp_directory_path() / ("lumivista-desktop-" + std::to_string(::getpid()));
  fs::create_directories(root / "usr/bin");
  fs::create_directories(root / "usr/share/web-lumivista/template");
  const std::string savedProgramFolder = platform::ProgramFolder();
  ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);

  // The build tree: the settings stay where Qt puts them.
  const QString usual = SettingsFile();
  platform::SetUpDesktopIntegration();
  EXPECT_EQ(SettingsFile(), usual);
  const QIcon icon = QApplication::windowIcon();
  EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(48, 48), QSize(256, 256)}));

  platform::SetProgramFolder(platform::FromFileSystem((root / "usr/bin").string()));
  platform::SetUpDesktopIntegration();
  EXPECT_EQ(SettingsFile().toStdString(), (root / "config/web-lumivista/Vendrix/Web Lumivista.conf").string());

  platform::SetProgramFolder(savedProgramFolder);
  fs::remove_all(root);
}
