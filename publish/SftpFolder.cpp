// SFTP through libcurl (libssh2): host key checked against known_hosts, log-in
// with the agent, the user's key or a password. Folder listings come as "ls -l"
// lines from the server's lstat, so links are told from files. Renames go
// through SshRenamer, which can replace a file in one step.
#include <memory>

#include "publish/CurlSession.h"
#include "publish/Listings.h"
#include "publish/SshHostKeys.h"
#include "publish/SshRenamer.h"

namespace publish {
namespace {

// A path in an SFTP quote command, in double quotes with \ and " escaped.
std::string Quoted(const std::string& path) {
  std::string quoted = "\"";
  for (const char c : path) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

class SftpFolder : public RemoteFolder {
 public:
  SftpFolder(const Connection& connection, TransferHooks& hooks)
      : session_(connection, hooks, "sftp"), renamer_(connection, hooks) {
    const PublishTarget& target = connection.Target;
    hostKey_.HostEntry =
        target.Port == 0 || target.Port == 22 ? target.Host : "[" + target.Host + "]:" + std::to_string(target.Port);
    hostKey_.Policy = connection.Security;
    knownHosts_ = SshFolder() + "/known_hosts";
    privateKey_ = DefaultPrivateKey();
  }

  TransferResult Fetch(const std::string& path, std::string& bytes) override {
    Start(RemotePath(path));
    session_.CollectInto(bytes);
    return Finish(session_.Perform(), "Lesen von " + path);
  }

  TransferResult List(const std::string& folder, FolderListing& entries) override {
    std::string text;
    Start(RemotePath(folder.empty() ? folder : folder + "/"));
    session_.CollectInto(text);
    const TransferResult result = Finish(session_.Perform(), "Auflisten von " + RemotePath(folder));
    if (result.Status == TransferStatus::Ok) entries = ParseLongListing(text);
    return result;
  }

  TransferResult Upload(UploadSource& source, const std::string& path) override {
    CURL* handle = Start(RemotePath(path));
    session_.SetUpload(source);
    curl_easy_setopt(handle, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR));
    curl_easy_setopt(handle, CURLOPT_NEW_FILE_PERMS, 0644L);
    curl_easy_setopt(handle, CURLOPT_NEW_DIRECTORY_PERMS, 0755L);
    return Finish(session_.Perform(), "Hochladen von " + path);
  }

  // In one step with posix-rename where the server can. Else the plain SFTP
  // rename, which never replaces an existing file; the caller then moves the
  // old one aside first.
  TransferResult Rename(const std::string& from, const std::string& to) override {
    const TransferResult replaced = renamer_.Replace(RemotePath(from), RemotePath(to), AcceptedHostKey());
    if (replaced.Status != TransferStatus::Failed) return replaced;
    return Command("rename " + Quoted(RemotePath(from)) + " " + Quoted(RemotePath(to)), "Umbenennen von " + from);
  }

  TransferResult Remove(const std::string& path) override {
    return Command("rm " + Quoted(RemotePath(path)), "L\xC3\xB6schen von " + path);
  }

 private:
  std::string RemotePath(const std::string& relative) const {
    return JoinPath(session_.Settings().Target.Folder, relative);
  }

  // One SFTP command on its own, with no transfer.
  TransferResult Command(const std::string& command, const std::string& action) {
    CURL* handle = Start(RemotePath(""));
    curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    const CurlList commands = MakeCurlList({command});
    curl_easy_setopt(handle, CURLOPT_QUOTE, commands.get());
    return Finish(session_.Perform(), action);
  }

  // The key the last connection accepted; none after a refusal.
  std::string AcceptedHostKey() const { return hostKey_.Refused ? std::string() : hostKey_.Fingerprint; }

  CURL* Start(const std::string& remotePath) {
    hostKey_.Refused = false;
    CURL* handle = session_.Begin(BaseUrl(session_.Settings().Target, "sftp") + EscapedPath(remotePath));
    if (session_.Settings().Login.User.empty()) curl_easy_setopt(handle, CURLOPT_USERNAME, LocalUserName().c_str());
    long methods = CURLSSH_AUTH_PUBLICKEY | CURLSSH_AUTH_AGENT;
    if (session_.Settings().Login.HasPassword) methods |= CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD;
    curl_easy_setopt(handle, CURLOPT_SSH_AUTH_TYPES, methods);
    if (!privateKey_.empty()) curl_easy_setopt(handle, CURLOPT_SSH_PRIVATE_KEYFILE, privateKey_.c_str());
    curl_easy_setopt(handle, CURLOPT_SSH_KNOWNHOSTS, knownHosts_.c_str());
    curl_easy_setopt(handle, CURLOPT_SSH_KEYFUNCTION, &CheckHostKey);
    curl_easy_setopt(handle, CURLOPT_SSH_KEYDATA, &hostKey_);
    return handle;
  }

  TransferResult Finish(CURLcode code, const std::string& action) {
    if (code == CURLE_OK || !hostKey_.Refused) return session_.Outcome(code, action);
    const std::string host = HostLabel(session_.Settings().Target);
    if (hostKey_.Match == CURLKHMATCH_MISSING)
      return {TransferStatus::Fatal, UnknownHostKeyText(host, hostKey_.Fingerprint), hostKey_.Fingerprint};
    return {TransferStatus::Fatal, ChangedHostKeyText(host, hostKey_.Fingerprint, knownHosts_), {}};
  }

  CurlSession session_;
  SshRenamer renamer_;
  HostKeyCheck hostKey_;
  std::string knownHosts_;
  std::string privateKey_;
};

}  // namespace

std::unique_ptr<RemoteFolder> OpenSftpFolder(const Connection& connection, TransferHooks& hooks) {
  return std::make_unique<SftpFolder>(connection, hooks);
}

}  // namespace publish
