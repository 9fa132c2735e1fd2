#include "publish/Publisher.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>

#include "publish/AlbumFiles.h"
#include "publish/FilePlacer.h"
#include "publish/RunHooks.h"
#include "publish/ServerView.h"
#include "publish/UploadSource.h"

namespace publish {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The order files go up in: pictures before the pages that show them.
std::vector<std::string> InUploadOrder(const ChangePlan& plan) {
  std::vector<std::string> paths = plan.Added;
  paths.insert(paths.end(), plan.Changed.begin(), plan.Changed.end());
  std::stable_sort(paths.begin(), paths.end(),
                   [](const std::string& a, const std::string& b) { return UploadRank(a) < UploadRank(b); });
  return paths;
}

std::string ParentFolder(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class PublishRun {
 public:
  PublishRun(const PublishRequest& request, PublishObserver& observer)
      : request_(request), observer_(observer), hooks_(observer) {}

  PublishResult Execute() {
    const TransferResult local = CheckLocalFolder();
    if (local.Status != TransferStatus::Ok) return Stop(local);
    const FolderScan scan = ScanAlbumFolder(request_.LocalFolder);
    for (const std::string& problem : scan.Problems) Fail(problem);
    remote_ = OpenRemoteFolder(request_.Server, hooks_);
    server_ = std::make_unique<ServerView>(*remote_);
    placer_ = std::make_unique<FilePlacer>(*remote_, *server_, hooks_);
    Manifest next;
    const TransferResult read = ReadPreviousManifest(next);
    if (read.Status != TransferStatus::Ok) return Stop(read);
    const Manifest previous = next;
    // A scan that missed a file cannot tell what the folder no longer holds.
    const bool deleting = request_.DeleteRemoved && scan.Complete();
    if (request_.DeleteRemoved && !deleting)
      observer_.Problem("Weil nicht alle Dateien gelesen werden konnten, wird auf dem Server nichts gel\xC3\xB6scht.");
    result_.Plan = PlanChanges(scan.Files, next, deleting);
    const TransferResult checked = KeepRemovableOnly(next);
    if (Ends(checked)) return Stop(checked);
    observer_.Planned(result_.Plan);
    WarnAboutEmptyPages(scan.Files);
    if (request_.DryRun) return result_;
    RemoveLeftovers(scan.Files, previous);
    return Apply(scan.Files, previous, next);
  }

 private:
  TransferResult CheckLocalFolder() const {
    if (!std::filesystem::is_directory(request_.LocalFolder))
      return {TransferStatus::Fatal, "Das Verzeichnis \"" + request_.LocalFolder + "\" gibt es nicht.", {}};
    if (!HoldsBuiltAlbum(request_.LocalFolder))
      return {TransferStatus::Fatal,
              "Das Verzeichnis \"" + request_.LocalFolder +
                  "\" enth\xC3\xA4lt kein erstelltes Album (\xC3\x9C"
                  "bersichtsseite und Seiten im Ordner html).",
              {}};
    return {};
  }

  // Sends, deletes and writes down what did arrive, even when the run ends
  // early, so the next one resumes; an unchanged manifest is rewritten only
  // when it was damaged.
  PublishResult Apply(const Manifest& local, const Manifest& previous, Manifest& next) {
    TransferResult ended = SendFiles(local, next);
    if (!Ends(ended)) ended = RemoveFiles(next);
    const bool changed = next != previous || manifestDamaged_;
    const TransferResult written = changed ? WriteManifest(next) : TransferResult{};
    if (Ends(ended)) return Stop(ended);
    if (Ends(written)) return Stop(written);
    if (written.Status != TransferStatus::Ok) Fail(written.Detail);
    result_.Outcome = result_.FilesFailed > 0 ? PublishOutcome::SomeFailed : PublishOutcome::Completed;
    return result_;
  }

  TransferResult ReadPreviousManifest(Manifest& previous) {
    std::string bytes;
    const TransferResult fetched = remote_->Fetch(kManifestName, bytes);
    if (fetched.Status == TransferStatus::NotFound) return {};
    if (fetched.Status != TransferStatus::Ok) return fetched;
    const ParsedManifest parsed = ParseManifest(bytes);
    manifestDamaged_ = !parsed.Recognised || parsed.RejectedLines > 0;
    if (manifestDamaged_)
      observer_.Problem(
          "Die Liste der ver\xC3\xB6"
          "ffentlichten Dateien auf dem Server ist besch\xC3\xA4"
          "digt; "
          "unlesbare Eintr\xC3\xA4ge werden weder verglichen noch gel\xC3\xB6scht.");
    previous = parsed.Files;
    return {};
  }

  void WarnAboutEmptyPages(const Manifest& local) {
    for (const std::string& path : InUploadOrder(result_.Plan))
      if (IsPageName(path) && local.at(path).Size == 0)
        observer_.Problem("Die Seite \"" + path + "\" ist leer und wird trotzdem gesendet.");
  }

  // Temporary and set-aside files an interrupted run left beside the
  // album's files and the manifest: only under names made from those.
  void RemoveLeftovers(const Manifest& local, const Manifest& previous) {
    std::set<std::string> paths{kManifestName};
    for (const Manifest* files : {&local, &previous})
      for (const auto& [path, entry] : *files)
        if (IsAlbumPath(path)) paths.insert(path);
    for (const std::string& path : paths)
      for (const std::string& leftover : {TemporaryPathFor(path), AsidePathFor(path)})
        if (Lists(leftover) && server_->TypeOf(leftover) == ServerEntry::File) remote_->Remove(leftover);
  }

  // Whether the folder's listing holds the name at all, before any typing.
  bool Lists(const std::string& path) {
    const FolderListing& listing = server_->Listing(ParentFolder(path));
    return listing.contains(path.substr(path.rfind('/') + 1));
  }

  TransferResult SendFiles(const Manifest& local, Manifest& next) {
    const std::vector<std::string> paths = InUploadOrder(result_.Plan);
    for (size_t i = 0; i < paths.size(); ++i) {
      const std::string& path = paths[i];
      observer_.FileStarted(path, static_cast<int>(i + 1), static_cast<int>(paths.size()));
      const ManifestEntry& entry = local.at(path);
      hooks_.StartFile(result_.BytesSent, entry.Size, result_.Plan.BytesToSend);
      const TransferResult sent = SendFile(path, entry);
      if (Ends(sent)) return sent;
      if (sent.Status != TransferStatus::Ok) {
        Fail(sent.Detail);
        continue;
      }
      hooks_.FileDone();
      const bool added = !next.contains(path);
      next[path] = entry;
      ++result_.FilesSent;
      result_.BytesSent += entry.Size;
      observer_.Changed((added ? "neu: " : "ge\xC3\xA4ndert: ") + path);
    }
    return {};
  }

  TransferResult SendFile(const std::string& path, const ManifestEntry& entry) {
    const std::string localPath = (std::filesystem::path(request_.LocalFolder) / path).string();
    File file(std::fopen(localPath.c_str(), "rb"), std::fclose);
    if (!file) return {TransferStatus::Failed, "Die Datei \"" + localPath + "\" kann nicht gelesen werden.", {}};
    UploadSource source(file.get(), entry.Size);
    return placer_->Place(source, path, entry.Sha256);
  }

  // Keeps in the plan only what may be deleted. The others leave the
  // manifest: gone already, or no file we sent.
  TransferResult KeepRemovableOnly(Manifest& next) {
    std::vector<std::string> removable;
    for (const std::string& path : result_.Plan.Removed) {
      const TransferResult verdict = CheckRemovable(path, next.at(path));
      if (Ends(verdict)) return verdict;
      if (verdict.Status == TransferStatus::Ok) {
        removable.push_back(path);
      } else if (verdict.Status == TransferStatus::NotFound) {
        if (!verdict.Detail.empty()) observer_.Problem(verdict.Detail);
        next.erase(path);
      } else {
        Fail(verdict.Detail);
      }
    }
    result_.Plan.Removed = std::move(removable);
    return {};
  }

  // Ok for a plain file below real folders, never a folder or a link;
  // NotFound (with a warning, if any) when there is no such file of ours.
  TransferResult CheckRemovable(const std::string& path, const ManifestEntry& entry) {
    switch (server_->TypeOf(path)) {
      case ServerEntry::Unknown:
        return server_->Failure();
      case ServerEntry::Missing:
        return {TransferStatus::NotFound, {}, {}};
      case ServerEntry::NotAFile:
        return {TransferStatus::NotFound,
                "\"" + path +
                    "\" wird nicht gel\xC3\xB6scht: auf dem Server ist dort (oder auf dem Weg dorthin) "
                    "ein Verzeichnis oder eine Verkn\xC3\xBCpfung.",
                {}};
      case ServerEntry::File:
        break;
    }
    return CheckStillOurs(path, entry);
  }

  TransferResult RemoveFiles(Manifest& next) {
    for (const std::string& path : result_.Plan.Removed) {
      const TransferResult removed = remote_->Remove(path);
      if (Ends(removed)) return removed;
      if (removed.Status != TransferStatus::Ok) {
        Fail(removed.Detail);
        continue;
      }
      next.erase(path);
      observer_.Changed("entfernt: " + path);
    }
    return {};
  }

  // Where the listing cannot show links, a file is deleted only when its
  // content is still what was sent: a link to anything else is left alone.
  // NotFound: the file holds something else now.
  TransferResult CheckStillOurs(const std::string& path, const ManifestEntry& entry) {
    if (remote_->ListsLinks()) return {};
    std::string bytes;
    const TransferResult fetched = remote_->Fetch(path, bytes);
    if (fetched.Status != TransferStatus::Ok) return fetched;
    if (bytes.size() == entry.Size && platform::Sha256Hex(bytes) == entry.Sha256) return {};
    return {TransferStatus::NotFound,
            "\"" + path + "\" hat auf dem Server einen anderen Inhalt als gesendet und wird nicht gel\xC3\xB6scht.",
            {}};
  }

  TransferResult WriteManifest(const Manifest& next) {
    const std::string text = FormatManifest(next);
    File file(std::tmpfile(), std::fclose);
    if (!file || std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || std::fflush(file.get()) != 0)
      return {TransferStatus::Failed,
              "Die Liste der ver\xC3\xB6"
              "ffentlichten Dateien kann nicht geschrieben werden.",
              {}};
    std::rewind(file.get());
    hooks_.StartFile(result_.BytesSent, 0, result_.Plan.BytesToSend);
    // Written also after a stop, so the next run knows what arrived.
    StopHold hold(hooks_);
    UploadSource source(file.get(), text.size());
    return placer_->Place(source, kManifestName, platform::Sha256Hex(text));
  }

  void Fail(const std::string& problem) {
    ++result_.FilesFailed;
    observer_.Problem(problem);
  }

  PublishResult Stop(const TransferResult& failure) {
    result_.Outcome = failure.Status == TransferStatus::Cancelled ? PublishOutcome::Cancelled : PublishOutcome::Stopped;
    result_.UnknownHostKey = failure.UnknownHostKey;
    result_.StopReason = failure.Detail;
    return result_;
  }

  const PublishRequest& request_;
  PublishObserver& observer_;
  WholeRunHooks hooks_;
  std::unique_ptr<RemoteFolder> remote_;
  std::unique_ptr<ServerView> server_;
  std::unique_ptr<FilePlacer> placer_;
  PublishResult result_;
  bool manifestDamaged_ = false;
};

}  // namespace

PublishResult Publish(const PublishRequest& request, PublishObserver& observer) {
  return PublishRun(request, observer).Execute();
}

}  // namespace publish
