#pragma once
// Renames on an SFTP server with OpenSSH's posix-rename@openssh.com, which
// replaces the target in one step. libcurl's SFTP (libssh2 1.10) cannot send
// it, and libssh's own sftp_rename sends only the plain rename, so this speaks
// the few SFTP packets itself over a libssh connection of its own: opened on
// the first rename and kept for the publish. It connects only to the target,
// reads no ssh_config, accepts only the host key known_hosts holds (or the one
// the main session accepted in this run) and logs in as the main session does.
#include <cstdint>
#include <memory>
#include <string>

#include "publish/RemoteFolder.h"

struct ssh_session_struct;

namespace publish {

class SshRenamer {
 public:
  SshRenamer(const Connection& connection, TransferHooks& hooks);
  ~SshRenamer();
  SshRenamer(const SshRenamer&) = delete;
  SshRenamer& operator=(const SshRenamer&) = delete;

  // Renames the server path `from` over `to` in one step. Failed, without a
  // text, where this cannot be done: the server does not offer posix-rename or
  // refused it, or this connection could not be opened or logged in (neither
  // is tried again in this publish), or it broke (opened again next time). The
  // caller then renames plainly. Fatal for a host key that is not the known
  // one; `acceptedKey` is the SHA256 fingerprint the main session accepted.
  TransferResult Replace(const std::string& from, const std::string& to, const std::string& acceptedKey);

 private:
  struct Link;
  TransferResult Open(const std::string& acceptedKey);
  bool LogIn(ssh_session_struct* session) const;
  TransferResult Unavailable();

  const Connection& connection_;
  TransferHooks& hooks_;
  std::string knownHosts_;
  std::unique_ptr<Link> link_;
  bool unavailable_ = false;
  uint32_t lastId_ = 0;
};

}  // namespace publish
