#pragma once
// What the publish dialog remembers per album, in the user's settings keyed
// by the album file (the album file itself stays as it is), and the password
// in the system keyring, only when the user asks for it.
#include <QString>

namespace app {

struct PublishSettings {
  QString Server;  // "sftp://host[:port]", "ftp://..." or "https://..."
  QString Folder;  // the album folder on the server
  QString User;
  QString AlbumFolder;  // the built album to publish
  QString Certificate;  // a self-signed server certificate to trust, if any
  bool RememberPassword = false;
  bool DeleteRemoved = false;
};

// `albumFile` is the album's path, empty for an unsaved album.
PublishSettings LoadPublishSettings(const QString& albumFile);
void SavePublishSettings(const QString& albumFile, const PublishSettings& settings);

// Records the folder of the overview page an album was last built into, the
// folder the dialog offers to publish.
void RememberOutputFolder(const QString& albumFile, const QString& overviewPath);

// The system keyring (Secret Service, through QtKeychain). Each call waits
// for the keyring while the event loop runs. Empty `error` on success.
QString ReadStoredPassword(const QString& account, QString& error);
void StorePassword(const QString& account, const QString& password, QString& error);
void ForgetPassword(const QString& account);

}  // namespace app
