#pragma once
// Publishing a built album folder to a server: reads the manifest the last
// publish left there, sends the album's new and changed files (pictures
// first, the overview last, each renamed into place), removes what the old
// manifest lists and the folder no longer holds when asked to (plain files
// only, never a folder or through a link), and writes the new manifest last,
// also after a stop, so an interrupted publish simply resumes when run again.
#include <cstdint>
#include <string>
#include <vector>

#include "publish/ChangePlan.h"
#include "publish/RemoteFolder.h"

namespace publish {

struct PublishRequest {
  std::string LocalFolder;
  Connection Server;
  bool DeleteRemoved = false;
  bool DryRun = false;
};

// Called from the thread that runs Publish.
class PublishObserver : public TransferHooks {
 public:
  virtual void Planned(const ChangePlan& /*plan*/) {}
  virtual void FileStarted(const std::string& /*path*/, int /*number*/, int /*count*/) {}
  // Bytes of all files sent so far, of `total`.
  virtual void BytesProgress(uint64_t /*done*/, uint64_t /*total*/) {}
  virtual void Changed(const std::string& /*line*/) {}  // a change made, as DescribeChanges words it
  // A file that failed, or a warning; the run goes on.
  virtual void Problem(const std::string& /*text*/) {}
};

enum class PublishOutcome {
  Completed,   // everything arrived (or, for a dry run, the plan is made)
  SomeFailed,  // some files failed; the rest and the manifest arrived
  Stopped,     // connection, log-in, certificate or host key failed
  Cancelled,
};

struct PublishResult {
  PublishOutcome Outcome = PublishOutcome::Completed;
  ChangePlan Plan;
  int FilesSent = 0;
  int FilesFailed = 0;
  uint64_t BytesSent = 0;
  std::string StopReason;      // German text, when the run stopped or was cancelled
  std::string UnknownHostKey;  // fingerprint, when the run stopped at an unknown SSH host key
};

PublishResult Publish(const PublishRequest& request, PublishObserver& observer);

}  // namespace publish
