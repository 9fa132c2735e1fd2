// WebDAV over HTTPS through libcurl: MKCOL for missing folders, PUT under a
// temporary name, MOVE into place, DELETE.
#include <memory>
#include <set>
#include <vector>

#include "publish/CurlSession.h"

namespace publish {
namespace {

bool IsSuccess(long status) { return status >= 200 && status < 300; }

class WebDavFolder : public RemoteFolder {
 public:
  WebDavFolder(const Connection& connection, TransferHooks& hooks) : session_(connection, hooks, "https") {}

  TransferResult Fetch(const std::string& path, std::string& bytes) override {
    Start(path);
    session_.CollectInto(bytes);
    return Finish(session_.Perform(), "Lesen von " + path);
  }

  TransferResult Put(std::FILE* source, uint64_t size, const std::string& path) override {
    const TransferResult folders = MakeFolders(path);
    if (folders.Status != TransferStatus::Ok) return folders;
    Start(TemporaryPathFor(path));
    session_.SetUpload(source, size);
    const TransferResult sent = Finish(session_.Perform(), "Hochladen von " + path);
    if (sent.Status != TransferStatus::Ok) return sent;
    CURL* handle = Start(TemporaryPathFor(path));
    const CurlList headers = MakeCurlList({"Destination: " + Url(path), "Overwrite: T"});
    curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, "MOVE");
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    return Finish(session_.Perform(), "Umbenennen von " + path);
  }

  TransferResult Remove(const std::string& path) override {
    CURL* handle = Start(path);
    curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, "DELETE");
    const TransferResult result = Finish(session_.Perform(), "L\xC3\xB6schen von " + path);
    return result.Status == TransferStatus::NotFound ? TransferResult{} : result;
  }

 private:
  std::string Url(const std::string& relative) const {
    const PublishTarget& target = session_.Settings().Target;
    return BaseUrl(target, "https") + EscapedPath(JoinPath(target.Folder, relative));
  }

  CURL* Start(const std::string& relative) {
    CURL* handle = session_.Begin(Url(relative));
    curl_easy_setopt(handle, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC | CURLAUTH_DIGEST));
    return handle;
  }

  // Creates the album folder and the file's folders once per publish; 405
  // means the folder is there already.
  TransferResult MakeFolders(const std::string& path) {
    std::vector<std::string> folders{""};
    for (size_t slash = 0; (slash = path.find('/', slash)) != std::string::npos; ++slash)
      folders.push_back(path.substr(0, slash) + "/");
    for (const std::string& folder : folders) {
      if (!madeFolders_.insert(folder).second) continue;
      CURL* handle = Start(folder);
      curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, "MKCOL");
      const CURLcode code = session_.Perform();
      if (code == CURLE_OK && session_.ResponseCode() == 405) continue;
      const TransferResult result = Finish(code, "Anlegen von " + folder);
      if (result.Status != TransferStatus::Ok) return result;
    }
    return {};
  }

  TransferResult Finish(CURLcode code, const std::string& action) {
    if (code != CURLE_OK) return session_.Outcome(code, action);
    const long status = session_.ResponseCode();
    if (IsSuccess(status)) return {};
    const std::string text = action + " fehlgeschlagen: HTTP " + std::to_string(status);
    if (status == 404) return {TransferStatus::NotFound, text, {}};
    if (status == 401)
      return {TransferStatus::Fatal,
              "Anmeldung bei " + HostLabel(session_.Settings().Target) +
                  " fehlgeschlagen: Benutzername oder Passwort abgelehnt.",
              {}};
    return {TransferStatus::Failed, text, {}};
  }

  CurlSession session_;
  std::set<std::string> madeFolders_;
};

}  // namespace

std::unique_ptr<RemoteFolder> OpenWebDavFolder(const Connection& connection, TransferHooks& hooks) {
  return std::make_unique<WebDavFolder>(connection, hooks);
}

}  // namespace publish
