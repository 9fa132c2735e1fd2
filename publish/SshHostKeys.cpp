#include "publish/SshHostKeys.h"

#include <openssl/evp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace publish {
namespace {

std::string Base64(std::string_view bytes, bool keepPadding) {
  std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
  const int length =
      EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                      reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
  text.resize(static_cast<size_t>(length));
  if (!keepPadding)
    while (!text.empty() && text.back() == '=') text.pop_back();
  return text;
}

// The raw key blob: libcurl hands the server's key raw with its length.
std::string_view KeyBlob(const curl_khkey* key) {
  if (key == nullptr || key->key == nullptr) return {};
  return key->len != 0 ? std::string_view(key->key, key->len) : std::string_view(key->key);
}

std::string FingerprintOf(std::string_view blob) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(blob.data(), blob.size(), digest, &length, EVP_sha256(), nullptr);
  return "SHA256:" + Base64(std::string_view(reinterpret_cast<char*>(digest), length), false);
}

// The key type is the first field of the blob itself: a 32-bit length and the name.
std::string KeyTypeOf(std::string_view blob) {
  if (blob.size() < 4) return {};
  const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(blob[i])); };
  const uint32_t length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
  if (length == 0 || length > 64 || length > blob.size() - 4) return {};
  return std::string(blob.substr(4, length));
}

bool AppendKnownHost(const std::string& hostEntry, std::string_view blob) {
  const std::string type = KeyTypeOf(blob);
  if (type.empty()) return false;
  const std::string folder = SshFolder();
  ::mkdir(folder.c_str(), 0700);
  std::ofstream file(folder + "/known_hosts", std::ios::app | std::ios::binary);
  file << hostEntry << ' ' << type << ' ' << Base64(blob, true) << '\n';
  return static_cast<bool>(file.flush());
}

}  // namespace

std::string LocalUserName() {
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr ? user->pw_name : "";
}

std::string SshFolder() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* user = ::getpwuid(::getuid());
    home = user != nullptr ? user->pw_dir : "";
  }
  return std::string(home) + "/.ssh";
}

std::string DefaultPrivateKey() {
  for (const char* name : {"id_ed25519", "id_ecdsa", "id_rsa"}) {
    const std::string path = SshFolder() + "/" + name;
    if (std::filesystem::exists(path)) return path;
  }
  return {};
}

std::string UnknownHostKeyText(const std::string& host, const std::string& fingerprint) {
  return "Der Host-Schl\xC3\xBCssel von " + host + " ist unbekannt (" + fingerprint + "); er wurde nicht angenommen.";
}

std::string ChangedHostKeyText(const std::string& host, const std::string& fingerprint, const std::string& knownHosts) {
  return "Der Host-Schl\xC3\xBCssel von " + host + " hat sich ge\xC3\xA4ndert (" + fingerprint +
         ")! Die Verbindung wird verweigert; pr\xC3\xBC"
         "fen Sie " +
         knownHosts + ".";
}

int CheckHostKey(CURL*, const curl_khkey*, const curl_khkey* found, curl_khmatch match, void* data) {
  auto& check = *static_cast<HostKeyCheck*>(data);
  const std::string_view blob = KeyBlob(found);
  check.Match = match;
  check.Fingerprint = FingerprintOf(blob);
  if (match == CURLKHMATCH_OK) return CURLKHSTAT_FINE;
  const bool accepted = check.Policy.AcceptNewHostKey &&
                        (check.Policy.AcceptedHostKey.empty() || check.Policy.AcceptedHostKey == check.Fingerprint);
  check.Refused = match != CURLKHMATCH_MISSING || !accepted;
  if (check.Refused) return CURLKHSTAT_REJECT;
  check.AppendFailed = !AppendKnownHost(check.HostEntry, blob);
  return CURLKHSTAT_FINE;
}

}  // namespace publish
