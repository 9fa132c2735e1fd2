#pragma once
// One album folder on a server, reached over SFTP, FTP with TLS or WebDAV:
// the few operations a publish is built from. Paths are relative to the album
// folder, "/" separated.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "publish/PublishUrl.h"

namespace publish {

enum class TransferStatus {
  Ok,
  NotFound,   // the file does not exist on the server
  Failed,     // this file failed; the next may work
  Fatal,      // connection, certificate, host key or log-in failed: stop
  Cancelled,  // the user stopped the publish
};

struct TransferResult {
  TransferStatus Status = TransferStatus::Ok;
  std::string Detail;          // German text for the user (never the password)
  std::string UnknownHostKey;  // SHA256 fingerprint when an unknown SSH host key was refused
};

struct Credentials {
  std::string User;
  std::string Password;
  bool HasPassword = false;
};

struct SecurityOptions {
  bool InsecureFtp = false;        // plain FTP without TLS, only when asked for by name
  std::string TrustedCertificate;  // a self-signed server certificate (PEM) to trust
  bool AcceptNewHostKey = false;   // add an unknown SSH host key to known_hosts
  std::string AcceptedHostKey;     // when set, only a new key with this fingerprint is added
};

// Progress of the running transfer and the user's stop request.
class TransferHooks {
 public:
  virtual ~TransferHooks() = default;
  virtual void Sent(uint64_t /*bytesOfThisFile*/) {}
  virtual bool StopRequested() { return false; }
};

// What a name on the server is. Other: a link (where the protocol tells),
// a device or anything else that is neither a plain file nor a folder.
enum class EntryType { File, Folder, Other };
using FolderListing = std::map<std::string, EntryType>;

class UploadSource;

class RemoteFolder {
 public:
  virtual ~RemoteFolder() = default;
  // Reads a small file (at most 64 MiB) below the folder.
  virtual TransferResult Fetch(const std::string& path, std::string& bytes) = 0;
  // The entries of `folder` ("" for the album folder itself) by name, links
  // not followed; NotFound when the folder does not exist.
  virtual TransferResult List(const std::string& folder, FolderListing& entries) = 0;
  // Sends `source` to exactly `path`, creating missing folders.
  virtual TransferResult Upload(UploadSource& source, const std::string& path) = 0;
  // Renames a file within its folder, replacing `to` in one step where the
  // server can (SFTP with OpenSSH's posix-rename, WebDAV MOVE, FTP RNFR/RNTO);
  // fails where the server would not replace (plain SFTP rename).
  virtual TransferResult Rename(const std::string& from, const std::string& to) = 0;
  // Removes the file `path`. Callers make sure first that it is a plain file.
  virtual TransferResult Remove(const std::string& path) = 0;
  // The size the server holds for the file `path`; none where the server
  // cannot tell cheaply. SFTP needs no such check: the server acknowledges
  // every write, so bytes lost on the way fail the upload itself.
  virtual TransferResult SizeOf(const std::string& /*path*/, std::optional<uint64_t>& size) {
    size.reset();
    return {};
  }
  // False where List cannot tell a link from what it points to (WebDAV).
  virtual bool ListsLinks() const { return true; }
};

struct Connection {
  PublishTarget Target;
  Credentials Login;
  SecurityOptions Security;
};

std::unique_ptr<RemoteFolder> OpenRemoteFolder(const Connection& connection, TransferHooks& hooks);

// The temporary name a file is sent under: ".NAME.lvpart" in its folder.
std::string TemporaryPathFor(const std::string& path);
// Where the live file waits while its replacement is renamed in, on servers
// that cannot replace in one step: ".NAME.lvold" in its folder.
std::string AsidePathFor(const std::string& path);

}  // namespace publish
