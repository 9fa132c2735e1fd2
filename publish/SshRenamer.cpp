#include "publish/SshRenamer.h"

#include <libssh/libssh.h>

#include <mutex>

#include "publish/SftpPackets.h"
#include "publish/SshHostKeys.h"

namespace publish {
namespace {

constexpr long kConnectSeconds = 20;  // as the main session's connect timeout
constexpr int kSilenceSeconds = 60;   // a server silent this long is gone, as on the main session

void InitialiseLibsshOnce() {
  static std::once_flag once;
  std::call_once(once, [] { ssh_init(); });
}

// An encrypted key is not unlocked: no passphrase is asked for, as on the main session.
int NoPassphrase(const char*, char*, size_t, int, int, void*) { return -1; }

bool LogInWithKey(ssh_session session, const std::string& keyFile) {
  ssh_key key = nullptr;
  if (keyFile.empty() || ssh_pki_import_privkey_file(keyFile.c_str(), nullptr, &NoPassphrase, nullptr, &key) != SSH_OK)
    return false;
  const int result = ssh_userauth_publickey(session, nullptr, key);
  ssh_key_free(key);
  return result == SSH_AUTH_SUCCESS;
}

// The password answers a single prompt; a server that asks more is not answered.
bool LogInInteractively(ssh_session session, const std::string& password) {
  for (int round = 0; round < 4; ++round) {
    const int result = ssh_userauth_kbdint(session, nullptr, nullptr);
    if (result == SSH_AUTH_SUCCESS) return true;
    if (result != SSH_AUTH_INFO) return false;
    const int prompts = ssh_userauth_kbdint_getnprompts(session);
    if (prompts > 1 || (prompts == 1 && ssh_userauth_kbdint_setanswer(session, 0, password.c_str()) < 0)) return false;
  }
  return false;
}

// "SHA256:..." as the main session's host key check writes it.
std::string ServerKeyFingerprint(ssh_session session) {
  ssh_key key = nullptr;
  if (ssh_get_server_publickey(session, &key) != SSH_OK) return {};
  std::string fingerprint;
  unsigned char* hash = nullptr;
  size_t length = 0;
  if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) == SSH_OK) {
    char* text = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, length);
    if (text != nullptr) fingerprint = text;
    ssh_string_free_char(text);
    ssh_clean_pubkey_hash(&hash);
  }
  ssh_key_free(key);
  return fingerprint;
}

}  // namespace

struct SshRenamer::Link {
  ssh_session Session = ssh_new();
  ssh_channel Channel = nullptr;

  ~Link() {
    if (Channel != nullptr) ssh_channel_free(Channel);
    if (Session == nullptr) return;
    ssh_disconnect(Session);
    ssh_free(Session);
  }

  bool Send(const std::string& packet) {
    return ssh_channel_write(Channel, packet.data(), static_cast<uint32_t>(packet.size())) ==
           static_cast<int>(packet.size());
  }

  // One packet without its length.
  bool Receive(std::string& packet) {
    char header[4];
    if (!ReadExactly(header, sizeof header)) return false;
    const std::optional<uint32_t> length = SftpPacketLength(std::string_view(header, sizeof header));
    if (!length) return false;
    packet.assign(*length, '\0');
    const bool whole = ReadExactly(packet.data(), *length);
    // A server's error output would fill the channel's window if left unread.
    char scratch[4096];
    while (ssh_channel_read_nonblocking(Channel, scratch, sizeof scratch, 1) > 0) {
    }
    return whole;
  }

  bool ReadExactly(char* into, uint32_t count) {
    while (count > 0) {
      const int read = ssh_channel_read_timeout(Channel, into, count, 0, kSilenceSeconds * 1000);
      if (read <= 0) return false;  // broken, closed, or silent for too long
      into += read;
      count -= static_cast<uint32_t>(read);
    }
    return true;
  }
};

SshRenamer::SshRenamer(const Connection& connection, TransferHooks& hooks)
    : connection_(connection), hooks_(hooks), knownHosts_(SshFolder() + "/known_hosts") {}

SshRenamer::~SshRenamer() = default;

TransferResult SshRenamer::Replace(const std::string& from, const std::string& to, const std::string& acceptedKey) {
  if (unavailable_) return {TransferStatus::Failed, {}, {}};
  if (!link_) {
    const TransferResult opened = Open(acceptedKey);
    if (opened.Status != TransferStatus::Ok) return opened;
  }
  const uint32_t id = ++lastId_;
  std::string reply;
  const bool answered = link_->Send(SftpPosixRenamePacket(id, from, to)) && link_->Receive(reply);
  const std::optional<SftpStatus> status = answered ? ParseSftpStatus(reply) : std::nullopt;
  if (!status || status->Id != id) {
    link_.reset();  // broken or out of step: the next rename connects anew
    return {TransferStatus::Failed, {}, {}};
  }
  if (status->Code == kSftpOk) return {};
  if (status->Code == kSftpOpUnsupported) unavailable_ = true;
  return {TransferStatus::Failed, {}, {}};
}

TransferResult SshRenamer::Open(const std::string& acceptedKey) {
  // A publish holds a stop back while it renames a file into place; where
  // nothing holds it, a stop is honoured before the connection is made.
  if (hooks_.StopRequested()) return {TransferStatus::Cancelled, "Abgebrochen.", {}};
  InitialiseLibsshOnce();
  auto link = std::make_unique<Link>();
  ssh_session session = link->Session;
  if (session == nullptr) return Unavailable();
  const PublishTarget& target = connection_.Target;
  const unsigned int port = target.Port == 0 ? 22u : static_cast<unsigned int>(target.Port);
  const std::string user = connection_.Login.User.empty() ? LocalUserName() : connection_.Login.User;
  const bool readConfig = false;  // no ssh_config: its HostName or ProxyCommand would lead elsewhere
  long timeout = kConnectSeconds;
  // libssh's ~/.ssh comes from the password database, the main session's from
  // $HOME: name the same folder, and its known_hosts as the only one.
  const std::string sshFolder = SshFolder();
  if (ssh_options_set(session, SSH_OPTIONS_PROCESS_CONFIG, &readConfig) != SSH_OK ||
      ssh_options_set(session, SSH_OPTIONS_SSH_DIR, sshFolder.c_str()) != SSH_OK ||
      ssh_options_set(session, SSH_OPTIONS_HOST, target.Host.c_str()) != SSH_OK ||
      ssh_options_set(session, SSH_OPTIONS_PORT, &port) != SSH_OK ||
      ssh_options_set(session, SSH_OPTIONS_USER, user.c_str()) != SSH_OK ||
      ssh_options_set(session, SSH_OPTIONS_KNOWNHOSTS, knownHosts_.c_str()) != SSH_OK ||
      ssh_options_set(session, SSH_OPTIONS_GLOBAL_KNOWNHOSTS, knownHosts_.c_str()) != SSH_OK ||
      ssh_options_set(session, SSH_OPTIONS_TIMEOUT, &timeout) != SSH_OK || ssh_connect(session) != SSH_OK)
    return Unavailable();

  const std::string fingerprint = ServerKeyFingerprint(session);
  const ssh_known_hosts_e known = ssh_session_is_known_server(session);
  if (known != SSH_KNOWN_HOSTS_OK && (fingerprint.empty() || fingerprint != acceptedKey)) {
    const std::string host = HostLabel(target);
    if (known == SSH_KNOWN_HOSTS_CHANGED || known == SSH_KNOWN_HOSTS_OTHER)
      return {TransferStatus::Fatal, ChangedHostKeyText(host, fingerprint, knownHosts_), {}};
    return {TransferStatus::Fatal, UnknownHostKeyText(host, fingerprint), {}};
  }

  timeout = kSilenceSeconds;
  ssh_options_set(session, SSH_OPTIONS_TIMEOUT, &timeout);
  if (!LogIn(session)) return Unavailable();
  link->Channel = ssh_channel_new(session);
  if (link->Channel == nullptr || ssh_channel_open_session(link->Channel) != SSH_OK ||
      ssh_channel_request_subsystem(link->Channel, "sftp") != SSH_OK)
    return Unavailable();
  std::string reply;
  if (!link->Send(SftpInitPacket()) || !link->Receive(reply)) return Unavailable();
  const auto extensions = ParseSftpVersion(reply);
  if (!extensions) return Unavailable();
  const auto posixRename = extensions->find(std::string(kSftpPosixRename));
  if (posixRename == extensions->end() || posixRename->second != kSftpPosixRenameVersion) return Unavailable();
  link_ = std::move(link);
  return {};
}

// The agent's keys, the user's key, then the password where one was given.
bool SshRenamer::LogIn(ssh_session session) const {
  if (ssh_userauth_agent(session, nullptr) == SSH_AUTH_SUCCESS) return true;
  if (LogInWithKey(session, DefaultPrivateKey())) return true;
  const Credentials& login = connection_.Login;
  if (!login.HasPassword) return false;
  return ssh_userauth_password(session, nullptr, login.Password.c_str()) == SSH_AUTH_SUCCESS ||
         LogInInteractively(session, login.Password);
}

TransferResult SshRenamer::Unavailable() {
  unavailable_ = true;
  return {TransferStatus::Failed, {}, {}};
}

}  // namespace publish
