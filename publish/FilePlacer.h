#pragma once
// Puts one file in place on the server: sent under its temporary name,
// checked against the digest of the scan and against the size the server
// holds, then renamed over the live file.
// Where the server will not rename over it, the live file goes aside first
// and comes back when the new one cannot be renamed in, so visitors always
// find the old or the new file whole.
#include <string>

#include "publish/RemoteFolder.h"
#include "publish/RunHooks.h"
#include "publish/ServerView.h"
#include "publish/UploadSource.h"

namespace publish {

class FilePlacer {
 public:
  FilePlacer(RemoteFolder& remote, ServerView& server, WholeRunHooks& hooks)
      : remote_(remote), server_(server), hooks_(hooks) {}
  TransferResult Place(UploadSource& source, const std::string& path, const std::string& sha256);

 private:
  TransferResult CheckReplaceable(const std::string& path);
  // The server holds all `sent` bytes under the temporary name.
  TransferResult CheckArrivedWhole(const std::string& temporary, const std::string& path, uint64_t sent);
  // In one rename where the server replaces, else with the live file aside.
  TransferResult RenameIntoPlace(const std::string& temporary, const std::string& path);
  // Removes the temporary file of a failed or stopped upload; after a lost
  // connection the next run does.
  TransferResult Discard(const std::string& temporary, const TransferResult& failure);

  RemoteFolder& remote_;
  ServerView& server_;
  WholeRunHooks& hooks_;
};

}  // namespace publish
