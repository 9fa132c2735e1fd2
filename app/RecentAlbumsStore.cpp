#include "app/RecentAlbumsStore.h"

#include "platform/qt/QtText.h"
#include "platform/qt/UserSettings.h"

namespace app {
namespace {

constexpr const char* kRecentGroup = "RecentAlbums";

// One key per album file; the path is encoded, since "/" would nest groups.
QString DesignKey(const QString& albumFile) {
  return "AlbumDesign/" + QString::fromLatin1(albumFile.toUtf8().toBase64(QByteArray::Base64UrlEncoding));
}

}  // namespace

RecentAlbums LoadRecentAlbums() {
  QSettings settings = platform::UserSettings();
  std::vector<RecentAlbum> entries;
  const int count = settings.beginReadArray(kRecentGroup);
  for (int i = 0; i < count; ++i) {
    settings.setArrayIndex(i);
    entries.push_back({platform::FromQString(settings.value("file").toString()),
                       platform::FromQString(settings.value("overviewFolder").toString())});
  }
  settings.endArray();
  return RecentAlbums(std::move(entries));
}

void SaveRecentAlbums(const RecentAlbums& albums) {
  QSettings settings = platform::UserSettings();
  settings.remove(kRecentGroup);
  settings.beginWriteArray(kRecentGroup, static_cast<int>(albums.Entries().size()));
  for (int i = 0; i < static_cast<int>(albums.Entries().size()); ++i) {
    settings.setArrayIndex(i);
    settings.setValue("file", platform::ToQString(albums.Entries()[static_cast<size_t>(i)].Path));
    settings.setValue("overviewFolder", platform::ToQString(albums.Entries()[static_cast<size_t>(i)].OverviewFolder));
  }
  settings.endArray();
}

QString StoredDesign(const QString& albumFile) {
  return platform::UserSettings().value(DesignKey(albumFile)).toString();
}

void RememberDesign(const QString& albumFile, const QString& design) {
  QSettings settings = platform::UserSettings();
  settings.setValue(DesignKey(albumFile), design);
}

}  // namespace app
