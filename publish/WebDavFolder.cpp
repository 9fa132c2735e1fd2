// WebDAV over HTTPS through libcurl: PROPFIND to list, MKCOL for missing
// folders, PUT, MOVE with "Overwrite: T", DELETE only after a PROPFIND of
// depth 0 has shown a plain resource (a DELETE on a collection removes all of it).
#include <memory>
#include <set>
#include <vector>

#include "publish/CurlSession.h"
#include "publish/Listings.h"

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

  // The server follows its links and WebDAV does not show them.
  bool ListsLinks() const override { return false; }

  TransferResult List(const std::string& folder, FolderListing& entries) override {
    std::string xml;
    const TransferResult found = PropFind(folder.empty() ? folder : folder + "/", "1", xml);
    if (found.Status == TransferStatus::Ok)
      entries = ParseWebDavListing(xml, EscapedPath(JoinPath(session_.Settings().Target.Folder, folder)));
    return found;
  }

  TransferResult Upload(UploadSource& source, const std::string& path) override {
    const TransferResult folders = MakeFolders(path);
    if (folders.Status != TransferStatus::Ok) return folders;
    Start(path);
    session_.SetUpload(source);
    return Finish(session_.Perform(), "Hochladen von " + path);
  }

  TransferResult Rename(const std::string& from, const std::string& to) override {
    CURL* handle = Start(from);
    const CurlList headers = MakeCurlList({"Destination: " + Url(to), "Overwrite: T"});
    curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, "MOVE");
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    return Finish(session_.Perform(), "Umbenennen von " + from);
  }

  TransferResult Remove(const std::string& path) override {
    const std::string action = "L\xC3\xB6schen von " + path;
    std::string xml;
    const TransferResult found = PropFind(path, "0", xml);
    if (found.Status != TransferStatus::Ok) return found;
    if (!IsPlainResource(xml, path)) return {TransferStatus::Failed, action + " verweigert: keine einzelne Datei.", {}};
    CURL* handle = Start(path);
    curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, "DELETE");
    const CurlList headers = MakeCurlList({"Depth: 0"});
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    return Finish(session_.Perform(), action);
  }

  TransferResult SizeOf(const std::string& path, std::optional<uint64_t>& size) override {
    std::string xml;
    const TransferResult found = PropFind(path, "0", xml);
    size = found.Status == TransferStatus::Ok ? ParseContentLength(xml) : std::nullopt;
    return found;
  }

 private:
  std::string Url(const std::string& relative) const {
    const PublishTarget& target = session_.Settings().Target;
    return BaseUrl(target, "https") + EscapedPath(JoinPath(target.Folder, relative));
  }

  TransferResult PropFind(const std::string& relative, const char* depth, std::string& xml) {
    CURL* handle = Start(relative);
    const CurlList headers = MakeCurlList({std::string("Depth: ") + depth, "Content-Type: application/xml"});
    static const char kBody[] =
        "<?xml version=\"1.0\"?><D:propfind xmlns:D=\"DAV:\"><D:prop><D:resourcetype/><D:getcontentlength/>"
        "</D:prop></D:propfind>";
    curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, "PROPFIND");
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, kBody);
    session_.CollectInto(xml);
    return Finish(session_.Perform(), "Auflisten von " + relative);
  }

  // The depth-0 answer names `path` itself, and as no collection.
  bool IsPlainResource(const std::string& xml, const std::string& path) const {
    const size_t slash = path.rfind('/');
    const std::string parent = slash == std::string::npos ? std::string() : path.substr(0, slash);
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const FolderListing entry =
        ParseWebDavListing(xml, EscapedPath(JoinPath(session_.Settings().Target.Folder, parent)));
    return entry.size() == 1 && entry.begin()->first == name && entry.begin()->second == EntryType::File;
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
