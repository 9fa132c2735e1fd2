#include "publish/CurlSession.h"

#include <mutex>

namespace publish {
namespace {

constexpr size_t kMaxFetchBytes = 64u << 20;

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t CollectBytes(char* data, size_t size, size_t count, void* target) {
  auto& bytes = *static_cast<std::string*>(target);
  if (bytes.size() + size * count > kMaxFetchBytes) return 0;
  bytes.append(data, size * count);
  return size * count;
}

size_t ReadUpload(char* buffer, size_t size, size_t count, void* source) {
  return static_cast<UploadSource*>(source)->Read(buffer, size * count);
}

// Only back to the start, which libcurl asks for when it sends a body again.
int RewindUpload(void* source, curl_off_t offset, int origin) {
  if (offset != 0 || origin != SEEK_SET) return CURL_SEEKFUNC_CANTSEEK;
  return static_cast<UploadSource*>(source)->Rewind() ? CURL_SEEKFUNC_OK : CURL_SEEKFUNC_FAIL;
}

size_t DiscardBytes(char*, size_t size, size_t count, void*) { return size * count; }

bool IsConnectionFailure(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSH:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:
      return true;
    default:
      return false;
  }
}

bool IsCertificateFailure(CURLcode code) {
  return code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_CACERT_BADFILE || code == CURLE_SSL_CERTPROBLEM ||
         code == CURLE_SSL_ISSUER_ERROR;
}

}  // namespace

CurlSession::CurlSession(const Connection& connection, TransferHooks& hooks, const char* protocol)
    : connection_(connection), hooks_(hooks), protocol_(protocol) {
  InitialiseCurlOnce();
  handle_ = curl_easy_init();
}

CurlSession::~CurlSession() { curl_easy_cleanup(handle_); }

CURL* CurlSession::Begin(const std::string& url) {
  curl_easy_reset(handle_);
  errorText_[0] = '\0';
  ApplyCommonOptions();
  curl_easy_setopt(handle_, CURLOPT_URL, url.c_str());
  return handle_;
}

void CurlSession::ApplyCommonOptions() {
  curl_easy_setopt(handle_, CURLOPT_PROTOCOLS_STR, protocol_);
  curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
  // lighttpd's WebDAV and HTTP/2 uploads disagree; 1.1 is what every WebDAV server speaks.
  curl_easy_setopt(handle_, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(handle_, CURLOPT_ERRORBUFFER, errorText_);
  curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT, 20L);
  // A server that stops answering ends the transfer instead of hanging it.
  curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_TIME, 60L);
  curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(handle_, CURLOPT_XFERINFOFUNCTION, &CurlSession::OnProgress);
  curl_easy_setopt(handle_, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &DiscardBytes);
  if (!connection_.Login.User.empty()) curl_easy_setopt(handle_, CURLOPT_USERNAME, connection_.Login.User.c_str());
  if (connection_.Login.HasPassword) curl_easy_setopt(handle_, CURLOPT_PASSWORD, connection_.Login.Password.c_str());
  curl_easy_setopt(handle_, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(handle_, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!connection_.Security.TrustedCertificate.empty())
    curl_easy_setopt(handle_, CURLOPT_CAINFO, connection_.Security.TrustedCertificate.c_str());
}

int CurlSession::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded) {
  auto& session = *static_cast<CurlSession*>(self);
  session.hooks_.Sent(static_cast<uint64_t>(uploaded));
  return session.hooks_.StopRequested() ? 1 : 0;
}

CURLcode CurlSession::Perform() { return curl_easy_perform(handle_); }

void CurlSession::SetUpload(UploadSource& source) {
  curl_easy_setopt(handle_, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(handle_, CURLOPT_READFUNCTION, &ReadUpload);
  curl_easy_setopt(handle_, CURLOPT_READDATA, &source);
  curl_easy_setopt(handle_, CURLOPT_SEEKFUNCTION, &RewindUpload);
  curl_easy_setopt(handle_, CURLOPT_SEEKDATA, &source);
  curl_easy_setopt(handle_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(source.Size()));
}

void CurlSession::CollectInto(std::string& bytes) {
  curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &CollectBytes);
  curl_easy_setopt(handle_, CURLOPT_WRITEDATA, &bytes);
}

long CurlSession::ResponseCode() const {
  long code = 0;
  curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &code);
  return code;
}

TransferResult CurlSession::Outcome(CURLcode code, const std::string& action) const {
  const std::string host = HostLabel(connection_.Target);
  const std::string detail = errorText_[0] != '\0' ? errorText_ : curl_easy_strerror(code);
  switch (code) {
    case CURLE_OK:
      return {};
    case CURLE_REMOTE_FILE_NOT_FOUND:
      return {TransferStatus::NotFound, action + ": Datei nicht gefunden.", {}};
    case CURLE_ABORTED_BY_CALLBACK:
      return {TransferStatus::Cancelled, "Abgebrochen.", {}};
    case CURLE_LOGIN_DENIED:
    case CURLE_AUTH_ERROR:
      return {TransferStatus::Fatal,
              "Anmeldung bei " + host + " fehlgeschlagen: Benutzername, Passwort oder Schl\xC3\xBCssel abgelehnt.",
              {}};
    case CURLE_USE_SSL_FAILED:
      return {TransferStatus::Fatal,
              "Der Server " + host + " bietet kein FTP mit TLS an (unverschl\xC3\xBCsselt nur mit --insecure-ftp).",
              {}};
    default:
      break;
  }
  if (IsCertificateFailure(code))
    return {TransferStatus::Fatal,
            "Das Zertifikat von " + host + " ist nicht vertrauensw\xC3\xBCrdig (" + detail +
                "). Ein selbst signiertes Zertifikat muss ausdr\xC3\xBC"
                "cklich angenommen werden.",
            {}};
  if (IsConnectionFailure(code))
    return {TransferStatus::Fatal, "Verbindung zu " + host + " fehlgeschlagen: " + detail, {}};
  return {TransferStatus::Failed, action + " fehlgeschlagen: " + detail, {}};
}

CurlList MakeCurlList(std::initializer_list<std::string> lines) {
  curl_slist* list = nullptr;
  for (const std::string& line : lines) list = curl_slist_append(list, line.c_str());
  return CurlList(list);
}

std::string EscapedPath(const std::string& path) {
  std::string escaped;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t slash = std::min(path.find('/', start), path.size());
    const std::string part = path.substr(start, slash - start);
    char* encoded = curl_easy_escape(nullptr, part.c_str(), static_cast<int>(part.size()));
    escaped += encoded ? encoded : "";
    curl_free(encoded);
    if (slash < path.size()) escaped += '/';
    start = slash + 1;
  }
  return escaped;
}

std::string BaseUrl(const PublishTarget& target, const char* scheme) {
  std::string url = std::string(scheme) + "://" + target.Host;
  if (target.Port != 0) {
    url += ':';
    url += std::to_string(target.Port);
  }
  return url;
}

std::string JoinPath(const std::string& folder, const std::string& relative) {
  if (folder.empty() || folder == "/") return "/" + relative;
  return folder + "/" + relative;
}

}  // namespace publish
