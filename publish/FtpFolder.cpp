// FTP through libcurl, with explicit TLS for log-in and data unless plain
// FTP is asked for by name; files renamed into place with RNFR/RNTO.
#include <memory>

#include "publish/CurlSession.h"

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

class FtpFolder : public RemoteFolder {
 public:
  FtpFolder(const Connection& connection, TransferHooks& hooks) : session_(connection, hooks, "ftp") {}

  TransferResult Fetch(const std::string& path, std::string& bytes) override {
    Start(path);
    session_.CollectInto(bytes);
    const CURLcode code = session_.Perform();
    // Before the first publish the album folder itself is missing.
    if (code == CURLE_REMOTE_ACCESS_DENIED) return {TransferStatus::NotFound, {}, {}};
    return session_.Outcome(code, "Lesen von " + path);
  }

  // The commands after the transfer run in the file's folder, so bare names suffice.
  TransferResult Put(std::FILE* source, uint64_t size, const std::string& path) override {
    CURL* handle = Start(TemporaryPathFor(path));
    session_.SetUpload(source, size);
    curl_easy_setopt(handle, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
    const CurlList after = MakeCurlList({"RNFR " + FileName(TemporaryPathFor(path)), "RNTO " + FileName(path)});
    curl_easy_setopt(handle, CURLOPT_POSTQUOTE, after.get());
    return session_.Outcome(session_.Perform(), "Hochladen von " + path);
  }

  TransferResult Remove(const std::string& path) override {
    CURL* handle = Start(FolderOf(path));
    curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    // "*": a file already gone counts as removed.
    const CurlList after = MakeCurlList({"*DELE " + FileName(path)});
    curl_easy_setopt(handle, CURLOPT_POSTQUOTE, after.get());
    const TransferResult result = session_.Outcome(session_.Perform(), "L\xC3\xB6schen von " + path);
    return result.Status == TransferStatus::NotFound ? TransferResult{} : result;
  }

 private:
  CURL* Start(const std::string& relative) {
    const std::string folder = session_.Settings().Target.Folder;
    const std::string path = folder == "/" ? "/" + relative : folder + "/" + relative;
    CURL* handle = session_.Begin(BaseUrl(session_.Settings().Target, "ftp") + EscapedPath(path));
    const bool plain = session_.Settings().Security.InsecureFtp;
    curl_easy_setopt(handle, CURLOPT_USE_SSL, static_cast<long>(plain ? CURLUSESSL_NONE : CURLUSESSL_ALL));
    return handle;
  }

  CurlSession session_;
};

}  // namespace

std::unique_ptr<RemoteFolder> OpenFtpFolder(const Connection& connection, TransferHooks& hooks) {
  return std::make_unique<FtpFolder>(connection, hooks);
}

}  // namespace publish
