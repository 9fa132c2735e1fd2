#include "publish/Publisher.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace publish {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// An overview page beside at least one of the album's folders. Anything else
// (a home folder picked by mistake) is not sent to a public server.
bool HoldsBuiltAlbum(const std::filesystem::path& folder) {
  std::error_code error;
  bool overview = false;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    std::string extension = item.path().extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    overview = overview || (item.is_regular_file(error) && (extension == ".htm" || extension == ".html"));
  }
  const bool albumFolder = std::filesystem::is_directory(folder / "html", error) ||
                           std::filesystem::is_directory(folder / "pics", error) ||
                           std::filesystem::is_directory(folder / "mini", error);
  return overview && albumFolder;
}

// Turns the bytes of the running transfer into bytes of the whole publish.
// A file may take several transfers (WebDAV's PUT and MOVE), so the count
// only grows and never passes the end of the file being sent.
class WholeRunHooks : public TransferHooks {
 public:
  explicit WholeRunHooks(PublishObserver& observer) : observer_(observer) {}
  void Sent(uint64_t bytes) override {
    observer_.Sent(bytes);
    const uint64_t done = std::min(fileStart_ + bytes, fileEnd_);
    if (done <= reported_) return;
    reported_ = done;
    observer_.BytesProgress(done, total_);
  }
  bool StopRequested() override { return observer_.StopRequested(); }
  void FileDone() { Sent(fileEnd_ - fileStart_); }
  void StartFile(uint64_t doneBefore, uint64_t fileSize, uint64_t total) {
    fileStart_ = doneBefore;
    fileEnd_ = doneBefore + fileSize;
    total_ = total;
  }

 private:
  PublishObserver& observer_;
  uint64_t fileStart_ = 0;
  uint64_t fileEnd_ = 0;
  uint64_t total_ = 0;
  uint64_t reported_ = 0;
};

class PublishRun {
 public:
  PublishRun(const PublishRequest& request, PublishObserver& observer)
      : request_(request), observer_(observer), hooks_(observer) {}

  PublishResult Execute() {
    if (!std::filesystem::is_directory(request_.LocalFolder))
      return Stop({TransferStatus::Fatal, "Das Verzeichnis \"" + request_.LocalFolder + "\" gibt es nicht.", {}});
    if (!HoldsBuiltAlbum(request_.LocalFolder))
      return Stop({TransferStatus::Fatal,
                   "Das Verzeichnis \"" + request_.LocalFolder +
                       "\" enth\xC3\xA4lt kein erstelltes Album (\xC3\x9C" "bersichtsseite und die Ordner html, pics "
                       "und mini).",
                   {}});
    const FolderScan scan = ScanFolder(request_.LocalFolder);
    for (const std::string& problem : scan.Problems) Fail(problem);
    remote_ = OpenRemoteFolder(request_.Server, hooks_);
    Manifest next;
    const TransferResult read = ReadPreviousManifest(next);
    if (read.Status != TransferStatus::Ok) return Stop(read);
    const Manifest previous = next;
    result_.Plan = PlanChanges(scan.Files, next, request_.DeleteRemoved);
    observer_.Planned(result_.Plan);
    if (request_.DryRun) return result_;
    // The new manifest starts as the old one, so a file that fails keeps the
    // entry of the version still on the server.
    const TransferResult sent = SendFiles(scan.Files, next);
    if (sent.Status != TransferStatus::Ok) return Stop(sent);
    const TransferResult removed = RemoveFiles(next);
    if (removed.Status != TransferStatus::Ok) return Stop(removed);
    // An unchanged manifest is not sent again, unless the old one was damaged.
    const TransferResult written = next == previous && !manifestDamaged_ ? TransferResult{} : WriteManifest(next);
    if (written.Status == TransferStatus::Fatal || written.Status == TransferStatus::Cancelled) return Stop(written);
    if (written.Status != TransferStatus::Ok) Fail(written.Detail);
    result_.Outcome = result_.FilesFailed > 0 ? PublishOutcome::SomeFailed : PublishOutcome::Completed;
    return result_;
  }

 private:
  TransferResult ReadPreviousManifest(Manifest& previous) {
    std::string bytes;
    const TransferResult fetched = remote_->Fetch(kManifestName, bytes);
    if (fetched.Status == TransferStatus::NotFound) return {};
    if (fetched.Status != TransferStatus::Ok) return fetched;
    const ParsedManifest parsed = ParseManifest(bytes);
    manifestDamaged_ = !parsed.Recognised || parsed.RejectedLines > 0;
    if (manifestDamaged_)
      observer_.Problem("Die Liste der ver\xC3\xB6" "ffentlichten Dateien auf dem Server ist besch\xC3\xA4" "digt; "
                        "unlesbare Eintr\xC3\xA4ge werden weder verglichen noch gel\xC3\xB6scht.");
    previous = parsed.Files;
    return {};
  }

  TransferResult SendFiles(const Manifest& local, Manifest& next) {
    std::vector<std::string> paths = result_.Plan.Added;
    paths.insert(paths.end(), result_.Plan.Changed.begin(), result_.Plan.Changed.end());
    const std::vector<std::string> lines = DescribeChanges(result_.Plan);
    for (size_t i = 0; i < paths.size(); ++i) {
      const std::string& path = paths[i];
      observer_.FileStarted(path, static_cast<int>(i + 1), static_cast<int>(paths.size()));
      const ManifestEntry& entry = local.at(path);
      hooks_.StartFile(result_.BytesSent, entry.Size, result_.Plan.BytesToSend);
      const TransferResult sent = SendFile(path, entry.Size);
      if (sent.Status == TransferStatus::Fatal || sent.Status == TransferStatus::Cancelled) return sent;
      if (sent.Status != TransferStatus::Ok) {
        Fail(sent.Detail);
        continue;
      }
      hooks_.FileDone();
      next[path] = entry;
      ++result_.FilesSent;
      result_.BytesSent += entry.Size;
      observer_.Changed(lines[i]);
    }
    return {};
  }

  TransferResult SendFile(const std::string& path, uint64_t size) {
    const std::string localPath = (std::filesystem::path(request_.LocalFolder) / path).string();
    File file(std::fopen(localPath.c_str(), "rb"), std::fclose);
    if (!file) return {TransferStatus::Failed, "Die Datei \"" + localPath + "\" kann nicht gelesen werden.", {}};
    return remote_->Put(file.get(), size, path);
  }

  TransferResult RemoveFiles(Manifest& next) {
    for (const std::string& path : result_.Plan.Removed) {
      const TransferResult removed = remote_->Remove(path);
      if (removed.Status == TransferStatus::Fatal || removed.Status == TransferStatus::Cancelled) return removed;
      if (removed.Status != TransferStatus::Ok) {
        Fail(removed.Detail);
        continue;
      }
      next.erase(path);
      observer_.Changed("entfernt: " + path);
    }
    return {};
  }

  TransferResult WriteManifest(const Manifest& next) {
    const std::string text = FormatManifest(next);
    File file(std::tmpfile(), std::fclose);
    if (!file || std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || std::fflush(file.get()) != 0)
      return {TransferStatus::Failed, "Die Liste der ver\xC3\xB6" "ffentlichten Dateien kann nicht geschrieben werden.", {}};
    std::rewind(file.get());
    hooks_.StartFile(result_.BytesSent, 0, result_.Plan.BytesToSend);
    return remote_->Put(file.get(), text.size(), kManifestName);
  }

  void Fail(const std::string& problem) {
    ++result_.FilesFailed;
    observer_.Problem(problem);
  }

  PublishResult Stop(const TransferResult& failure) {
    result_.Outcome =
        failure.Status == TransferStatus::Cancelled ? PublishOutcome::Cancelled : PublishOutcome::Stopped;
    result_.UnknownHostKey = failure.UnknownHostKey;
    result_.StopReason = failure.Detail;
    return result_;
  }

  const PublishRequest& request_;
  PublishObserver& observer_;
  WholeRunHooks hooks_;
  std::unique_ptr<RemoteFolder> remote_;
  PublishResult result_;
  bool manifestDamaged_ = false;
};

}  // namespace

PublishResult Publish(const PublishRequest& request, PublishObserver& observer) {
  return PublishRun(request, observer).Execute();
}

}  // namespace publish
