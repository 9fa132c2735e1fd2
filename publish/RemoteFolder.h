#pragma once
// One album folder on a server, reached over SFTP, FTP with TLS or WebDAV.
// Files are sent under a temporary name and renamed into place, so visitors
// never see half a file.
#include <cstdint>
#include <cstdio>
#include <memory>
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
  std::string Detail;                // German text for the user (never the password)
  std::string UnknownHostKey;        // SHA256 fingerprint when an unknown SSH host key was refused
};

struct Credentials {
  std::string User;
  std::string Password;
  bool HasPassword = false;
};

struct SecurityOptions {
  bool InsecureFtp = false;           // plain FTP without TLS, only when asked for by name
  std::string TrustedCertificate;     // a self-signed server certificate (PEM) to trust
  bool AcceptNewHostKey = false;      // add an unknown SSH host key to known_hosts
  std::string AcceptedHostKey;        // when set, only a new key with this fingerprint is added
};

// Progress of the running transfer and the user's stop request.
class TransferHooks {
 public:
  virtual ~TransferHooks() = default;
  virtual void Sent(uint64_t /*bytesOfThisFile*/) {}
  virtual bool StopRequested() { return false; }
};

class RemoteFolder {
 public:
  virtual ~RemoteFolder() = default;
  // Reads a small file (at most 64 MiB) below the folder.
  virtual TransferResult Fetch(const std::string& path, std::string& bytes) = 0;
  // Sends `size` bytes from `source` to `path` below the folder, creating
  // missing folders, through a temporary name.
  virtual TransferResult Put(std::FILE* source, uint64_t size, const std::string& path) = 0;
  virtual TransferResult Remove(const std::string& path) = 0;
};

struct Connection {
  PublishTarget Target;
  Credentials Login;
  SecurityOptions Security;
};

std::unique_ptr<RemoteFolder> OpenRemoteFolder(const Connection& connection, TransferHooks& hooks);

// The temporary name a file is sent under: ".NAME.lvpart" in its folder.
std::string TemporaryPathFor(const std::string& path);

}  // namespace publish
