#pragma once
// The SSH side of SFTP: the user's ~/.ssh folder, the host key check against
// ~/.ssh/known_hosts, and adding a newly accepted key to it.
#include <curl/curl.h>

#include <string>

#include "publish/RemoteFolder.h"

namespace publish {

// The log-in name of the user running the program, as ssh uses by default.
std::string LocalUserName();
// $HOME/.ssh, where known_hosts and the user's keys are.
std::string SshFolder();
// The user's private key for log-in without a password: the first of
// id_ed25519, id_ecdsa and id_rsa there; empty when there is none.
std::string DefaultPrivateKey();

// The messages for a refused host key: one not in known_hosts, and one that
// differs from the key known_hosts holds for the host.
std::string UnknownHostKeyText(const std::string& host, const std::string& fingerprint);
std::string ChangedHostKeyText(const std::string& host, const std::string& fingerprint, const std::string& knownHosts);

// What the host key check saw, for the message after a refusal.
struct HostKeyCheck {
  std::string HostEntry;  // "host" or "[host]:port", as known_hosts writes it
  SecurityOptions Policy;
  curl_khmatch Match = CURLKHMATCH_OK;
  std::string Fingerprint;  // "SHA256:..." of the server's key
  bool Refused = false;     // the last connection was refused for its key
  bool AppendFailed = false;
};

// libcurl's CURLOPT_SSH_KEYFUNCTION: accepts a known key, adds a new one
// only when the policy allows it, refuses a changed one always. New keys are
// appended to known_hosts by us, so entries libssh2 cannot read stay intact.
int CheckHostKey(CURL*, const curl_khkey* known, const curl_khkey* found, curl_khmatch match, void* check);

}  // namespace publish
