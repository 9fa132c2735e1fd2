// Putting a file in place on servers that rename in different ways, against
// an in-memory folder: the live file is never lost, whatever rename refuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>

#include "platform/Sha256.h"
#include "publish/FilePlacer.h"

namespace {

using namespace publish;

// Files by path. A rename over an existing file fails unless `Replaces`;
// every rename away from `RefusedSource` fails. An upload keeps at most
// `StoredBytes` bytes and still reports success, as a server may.
class MemoryFolder : public RemoteFolder {
 public:
  std::map<std::string, std::string> Files;
  bool Replaces = true;
  std::string RefusedSource;
  size_t StoredBytes = std::string::npos;

  TransferResult Fetch(const std::string& path, std::string& bytes) override {
    if (!Files.contains(path)) return {TransferStatus::NotFound, {}, {}};
    bytes = Files[path];
    return {};
  }
  TransferResult List(const std::string& folder, FolderListing& entries) override {
    for (const auto& [path, bytes] : Files)
      if (folder.empty() && path.find('/') == std::string::npos) entries[path] = EntryType::File;
    return {};
  }
  TransferResult Upload(UploadSource& source, const std::string& path) override {
    std::string bytes(source.Size() + 1, '\0');
    bytes.resize(source.Read(bytes.data(), bytes.size()));
    Files[path] = bytes.substr(0, StoredBytes);
    return {};
  }
  TransferResult SizeOf(const std::string& path, std::optional<uint64_t>& size) override {
    if (!Files.contains(path)) return {TransferStatus::NotFound, {}, {}};
    size = Files[path].size();
    return {};
  }
  TransferResult Rename(const std::string& from, const std::string& to) override {
    if (!Files.contains(from) || from == RefusedSource || (Files.contains(to) && !Replaces))
      return {TransferStatus::Failed, "Umbenennen von " + from + " fehlgeschlagen", {}};
    Files[to] = Files[from];
    Files.erase(from);
    return {};
  }
  TransferResult Remove(const std::string& path) override {
    Files.erase(path);
    return {};
  }
};

TransferResult PlaceText(MemoryFolder& folder, const std::string& path, const std::string& text) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), std::fclose);
  std::fwrite(text.data(), 1, text.size(), file.get());
  std::rewind(file.get());
  UploadSource source(file.get(), text.size());
  PublishObserver observer;
  WholeRunHooks hooks(observer);
  ServerView view(folder);
  return FilePlacer(folder, view, hooks).Place(source, path, platform::Sha256Hex(text));
}

TEST(FilePlacer, ReplacesTheLiveFileWhetherOrNotTheServerRenamesOverIt) {
  for (const bool replaces : {true, false}) {
    MemoryFolder folder;
    folder.Replaces = replaces;
    folder.Files["index.htm"] = "old";
    EXPECT_EQ(PlaceText(folder, "index.htm", "new").Status, TransferStatus::Ok);
    EXPECT_EQ(folder.Files, (std::map<std::string, std::string>{{"index.htm", "new"}})) << replaces;
  }
}

TEST(FilePlacer, PutsTheLiveFileBackWhenTheNewOneCannotBeRenamedIn) {
  for (const bool replaces : {true, false}) {
    MemoryFolder folder;
    folder.Replaces = replaces;
    folder.RefusedSource = ".index.htm.lvpart";
    folder.Files["index.htm"] = "old";
    EXPECT_EQ(PlaceText(folder, "index.htm", "new").Status, TransferStatus::Failed);
    EXPECT_EQ(folder.Files, (std::map<std::string, std::string>{{"index.htm", "old"}})) << replaces;
  }
}

// A file the server kept only part of is never renamed over the live one;
// the temporary file goes, and the next run sends the file again.
TEST(FilePlacer, KeepsTheLiveFileWhenTheServerHoldsFewerBytesThanSent) {
  for (const size_t stored : {size_t{0}, size_t{6}}) {
    MemoryFolder folder;
    folder.StoredBytes = stored;
    folder.Files["index.htm"] = "old";
    const TransferResult placed = PlaceText(folder, "index.htm", "new picture");
    EXPECT_EQ(placed.Status, TransferStatus::Failed);
    EXPECT_EQ(placed.Detail, "Die Datei \"index.htm\" kam unvollst\xC3\xA4ndig auf dem Server an (" +
                                 std::to_string(stored) +
                                 " von 11 Bytes); sie wird beim n\xC3\xA4"
                                 "chsten Mal gesendet.");
    EXPECT_EQ(folder.Files, (std::map<std::string, std::string>{{"index.htm", "old"}})) << stored;
  }
}

}  // namespace
