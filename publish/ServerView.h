#pragma once
// What the album folder on the server holds, listed once per folder and run:
// a file is replaced or deleted only when every folder on its way is a real
// folder and the name itself a plain file, never a folder or a link.
#include <map>
#include <string>

#include "publish/RemoteFolder.h"

namespace publish {

enum class ServerEntry { Missing, File, NotAFile, Unknown };

class ServerView {
 public:
  explicit ServerView(RemoteFolder& remote) : remote_(remote) {}
  // What `path` is on the server; Unknown when a listing failed (see Failure()).
  ServerEntry TypeOf(const std::string& path);
  // The entries of `folder` ("" for the album folder); empty when missing.
  const FolderListing& Listing(const std::string& folder);
  // The last listing that failed, for the message; Fatal or Cancelled stop the run.
  const TransferResult& Failure() const { return failure_; }

 private:
  struct Folder {
    bool Listed = false;
    FolderListing Entries;
  };
  const Folder& Load(const std::string& folder);

  RemoteFolder& remote_;
  std::map<std::string, Folder> folders_;
  TransferResult failure_;
};

}  // namespace publish
