#pragma once
// One libcurl handle kept for a whole publish, so the connection (and the
// log-in) is reused from file to file. Sets what every transfer needs:
// credentials, certificate checks, the allowed protocol, progress and stop.
#include <curl/curl.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "publish/RemoteFolder.h"
#include "publish/UploadSource.h"

namespace publish {

class CurlSession {
 public:
  CurlSession(const Connection& connection, TransferHooks& hooks, const char* protocol);
  ~CurlSession();
  CurlSession(const CurlSession&) = delete;
  CurlSession& operator=(const CurlSession&) = delete;

  // Resets the handle for a new transfer of `url`, keeping the connection.
  CURL* Begin(const std::string& url);
  CURLcode Perform();
  // Upload of exactly the announced bytes of `source`.
  void SetUpload(UploadSource& source);
  // Collects the response body into `bytes`, refusing more than 64 MiB.
  void CollectInto(std::string& bytes);
  long ResponseCode() const;

  // The result of a finished transfer; `action` names it in the message.
  TransferResult Outcome(CURLcode code, const std::string& action) const;
  const Connection& Settings() const { return connection_; }

 private:
  static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded);
  void ApplyCommonOptions();

  const Connection& connection_;
  TransferHooks& hooks_;
  const char* protocol_;
  CURL* handle_;
  char errorText_[CURL_ERROR_SIZE] = {};
};

// A list of commands or headers for libcurl, freed with it.
struct CurlListFree {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlList = std::unique_ptr<curl_slist, CurlListFree>;
CurlList MakeCurlList(std::initializer_list<std::string> lines);

// A "/"-separated path with every part percent-encoded for a URL.
std::string EscapedPath(const std::string& path);
// "scheme://host[:port]" for `target`.
std::string BaseUrl(const PublishTarget& target, const char* scheme);
// The folder's path joined with a relative path; ends in "/" for an empty one.
std::string JoinPath(const std::string& folder, const std::string& relative);

}  // namespace publish
