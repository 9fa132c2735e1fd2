// FTP through libcurl, with explicit TLS for log-in and data unless plain
// FTP is asked for by name. Folder listings are LIST's "ls -l" lines, which
// tell links from files; renames are RNFR/RNTO.
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>

#include "publish/CurlSession.h"
#include "publish/Listings.h"

namespace publish {
namespace {

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Reads and drops what the peer still sends until it closes, for at most
// ten seconds.
void DrainUntilPeerCloses(curl_socket_t socket) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
  char buffer[4096];
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd wait{socket, POLLIN, 0};
    if (left <= 0 || poll(&wait, 1, static_cast<int>(left)) <= 0) return;
    const ssize_t got = recv(socket, buffer, sizeof buffer, 0);
    if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) return;
  }
}

// The end of an upload's data connection is the end of the file. libcurl
// closes the connection right after its TLS close_notify; a TLS 1.3 session
// ticket the server sent late is then still unread, and Linux answers a
// close with unread bytes by a reset that drops the file's tail still
// waiting to be sent. So the connection is half-closed first, which sends
// everything queued, and closed once the server has closed its side.
int CloseAfterPeer(void*, curl_socket_t socket) {
  if (shutdown(socket, SHUT_WR) == 0) DrainUntilPeerCloses(socket);
  return close(socket);
}

class FtpFolder : public RemoteFolder {
 public:
  FtpFolder(const Connection& connection, TransferHooks& hooks) : session_(connection, hooks, "ftp") {}

  TransferResult Fetch(const std::string& path, std::string& bytes) override {
    Start(path);
    session_.CollectInto(bytes);
    return Finish(session_.Perform(), "Lesen von " + path);
  }

  TransferResult List(const std::string& folder, FolderListing& entries) override {
    std::string text;
    Start(folder.empty() ? folder : folder + "/");
    session_.CollectInto(text);
    const TransferResult result = Finish(session_.Perform(), "Auflisten von " + folder);
    if (result.Status == TransferStatus::Ok) entries = ParseLongListing(text);
    return result;
  }

  TransferResult Upload(UploadSource& source, const std::string& path) override {
    CURL* handle = Start(path);
    session_.SetUpload(source);
    curl_easy_setopt(handle, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
    return session_.Outcome(session_.Perform(), "Hochladen von " + path);
  }

  // Both names are in one folder; the commands after the transfer run in it.
  TransferResult Rename(const std::string& from, const std::string& to) override {
    return Commands(FolderOf(from), {"RNFR " + FileName(from), "RNTO " + FileName(to)}, "Umbenennen von " + from);
  }

  TransferResult Remove(const std::string& path) override {
    return Commands(FolderOf(path), {"DELE " + FileName(path)}, "L\xC3\xB6schen von " + path);
  }

  // SIZE, which libcurl sends for a transfer without body; a server
  // without SIZE cannot tell.
  TransferResult SizeOf(const std::string& path, std::optional<uint64_t>& size) override {
    CURL* handle = Start(path);
    curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    const TransferResult result = Finish(session_.Perform(),
                                         "Pr\xC3\xBC"
                                         "fen von " +
                                             path);
    curl_off_t length = -1;
    curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    size = length >= 0 ? std::optional<uint64_t>(static_cast<uint64_t>(length)) : std::nullopt;
    return result;
  }

 private:
  CURL* Start(const std::string& relative) {
    const std::string folder = session_.Settings().Target.Folder;
    const std::string path = folder == "/" ? "/" + relative : folder + "/" + relative;
    CURL* handle = session_.Begin(BaseUrl(session_.Settings().Target, "ftp") + EscapedPath(path));
    const bool plain = session_.Settings().Security.InsecureFtp;
    curl_easy_setopt(handle, CURLOPT_USE_SSL, static_cast<long>(plain ? CURLUSESSL_NONE : CURLUSESSL_ALL));
    curl_easy_setopt(handle, CURLOPT_CLOSESOCKETFUNCTION, &CloseAfterPeer);
    return handle;
  }

  TransferResult Commands(const std::string& folder, std::initializer_list<std::string> commands,
                          const std::string& action) {
    CURL* handle = Start(folder);
    curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    const CurlList after = MakeCurlList(commands);
    curl_easy_setopt(handle, CURLOPT_POSTQUOTE, after.get());
    return session_.Outcome(session_.Perform(), action);
  }

  // A folder that cannot be entered (before the first publish, the album
  // folder itself) is missing.
  TransferResult Finish(CURLcode code, const std::string& action) {
    if (code == CURLE_REMOTE_ACCESS_DENIED) return {TransferStatus::NotFound, {}, {}};
    return session_.Outcome(code, action);
  }

  CurlSession session_;
};

}  // namespace

std::unique_ptr<RemoteFolder> OpenFtpFolder(const Connection& connection, TransferHooks& hooks) {
  return std::make_unique<FtpFolder>(connection, hooks);
}

}  // namespace publish
