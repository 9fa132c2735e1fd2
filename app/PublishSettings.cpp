#include "app/PublishSettings.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QFileInfo>
#include <QSettings>

#include "platform/qt/UserSettings.h"

namespace app {
namespace {

constexpr const char* kKeyringService = "Web Lumivista";

// One settings group per album file; the path is encoded, since "/" would
// nest groups.
QString GroupOf(const QString& albumFile) {
  const QString key = albumFile.isEmpty() ? QStringLiteral("unsaved") : albumFile;
  return "Publish/" + QString::fromLatin1(key.toUtf8().toBase64(QByteArray::Base64UrlEncoding));
}

void RunJob(QKeychain::Job& job) {
  job.setAutoDelete(false);
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
  job.start();
  loop.exec();
}

}  // namespace

PublishSettings LoadPublishSettings(const QString& albumFile) {
  QSettings settings = platform::UserSettings();
  settings.beginGroup(GroupOf(albumFile));
  PublishSettings loaded;
  loaded.Server = settings.value("Server").toString();
  loaded.Folder = settings.value("Folder").toString();
  loaded.User = settings.value("User").toString();
  loaded.AlbumFolder = settings.value("OutputFolder").toString();
  loaded.Certificate = settings.value("Certificate").toString();
  loaded.RememberPassword = settings.value("RememberPassword", false).toBool();
  loaded.DeleteRemoved = settings.value("DeleteRemoved", false).toBool();
  if (loaded.AlbumFolder.isEmpty() && !albumFile.isEmpty()) loaded.AlbumFolder = QFileInfo(albumFile).absolutePath();
  return loaded;
}

void SavePublishSettings(const QString& albumFile, const PublishSettings& saved) {
  QSettings settings = platform::UserSettings();
  settings.beginGroup(GroupOf(albumFile));
  settings.setValue("Server", saved.Server);
  settings.setValue("Folder", saved.Folder);
  settings.setValue("User", saved.User);
  settings.setValue("OutputFolder", saved.AlbumFolder);
  settings.setValue("Certificate", saved.Certificate);
  settings.setValue("RememberPassword", saved.RememberPassword);
  settings.setValue("DeleteRemoved", saved.DeleteRemoved);
}

void RememberOutputFolder(const QString& albumFile, const QString& overviewPath) {
  QSettings settings = platform::UserSettings();
  settings.beginGroup(GroupOf(albumFile));
  settings.setValue("OutputFolder", QFileInfo(overviewPath).absolutePath());
}

QString ReadStoredPassword(const QString& account, QString& error) {
  QKeychain::ReadPasswordJob job(kKeyringService);
  job.setKey(account);
  RunJob(job);
  error = job.error() == QKeychain::NoError ? QString() : job.errorString();
  return job.textData();
}

void StorePassword(const QString& account, const QString& password, QString& error) {
  QKeychain::WritePasswordJob job(kKeyringService);
  job.setKey(account);
  job.setTextData(password);
  RunJob(job);
  error = job.error() == QKeychain::NoError ? QString() : job.errorString();
}

void ForgetPassword(const QString& account) {
  QKeychain::DeletePasswordJob job(kKeyringService);
  job.setKey(account);
  RunJob(job);
}

}  // namespace app
