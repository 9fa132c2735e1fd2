#include "generator/RunJournal.h"

#include <dirent.h>
#include <unistd.h>

#include <memory>

#include "generator/RecordLock.h"
#include "generator/UpdatePlan.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/Sha256.h"

namespace generator {

namespace {

bool WriteRecord(const std::string& folder, const BuildRecord& record) {
  return platform::WriteFileAtomically(RecordPath(folder, record.OverviewName), RecordText(record),
                                       platform::Durability::Regenerable);
}

bool StillAsCreated(const std::string& path, const CreatedFile& file) {
  const std::optional<FileFacts> facts = OwnFileFacts(path);
  if (!facts) return false;
  // A reserved page: created empty by that run, never by anyone else's write.
  if (file.Kind == OutputKind::Page && facts->Size == 0) return true;
  return facts->Size == file.Size && platform::FileSha256Hex(platform::ToFileSystem(path)) == file.Sha256;
}

std::vector<std::string> RecordedOverviews(const std::string& folder) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(platform::ToFileSystem(folder).c_str()), ::closedir);
  if (!dir) return names;
  const std::string suffix = kRecordSuffix;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = platform::FromFileSystem(entry->d_name);
    if (name.size() > suffix.size() + 1 && name[0] == '.' && name.ends_with(suffix))
      names.push_back(name.substr(1, name.size() - suffix.size() - 1));
  }
  return names;
}

}  // namespace

RunJournal::RunJournal(std::string folder, BuildRecord onDisk)
    : folder_(std::move(folder)), record_(std::move(onDisk)) {
  record_.Running = true;
  record_.Created.clear();
}

void RunJournal::WillCreate(const CreatedFile& file) {
  // A reserved page learns the bytes it will hold; its entry stays one.
  for (CreatedFile& known : record_.Created) {
    if (known.Kind == file.Kind && known.Name == file.Name) {
      known = file;
      return;
    }
  }
  record_.Created.push_back(file);
}

void RunJournal::Forget(OutputKind kind, const std::string& name) {
  std::erase_if(record_.Created, [&](const CreatedFile& file) { return file.Kind == kind && file.Name == name; });
}

bool RunJournal::Save() {
  started_ = true;
  return WriteRecord(folder_, record_);
}

bool RunJournal::Finish(std::vector<RecordedPicture> pictures) {
  record_.Running = false;
  record_.Created.clear();
  record_.Pictures = std::move(pictures);
  std::string old;
  if (platform::ReadWholeFile(RecordPath(folder_, record_.OverviewName), old) && old == RecordText(record_))
    return true;
  return WriteRecord(folder_, record_);
}

void CleanUnfinishedRun(const std::string& folder, BuildRecord& record) {
  for (const CreatedFile& file : record.Created) {
    const std::string path = OutputPath(folder, file.Kind, file.Name);
    if (StillAsCreated(path, file)) ::unlink(platform::ToFileSystem(path).c_str());
  }
  record.Created.clear();
  record.Running = false;
  if (record.Pictures.empty())
    ::unlink(platform::ToFileSystem(RecordPath(folder, record.OverviewName)).c_str());
  else
    WriteRecord(folder, record);
}

void CleanUnfinishedRuns(const std::string& folder) {
  for (const std::string& overview : RecordedOverviews(folder)) {
    RecordReading reading = ReadRecord(folder, overview);
    if (reading.Trust != RecordTrust::Trusted || !reading.Record.Running) continue;
    // A run still at work holds the lock; its files are not litter.
    const RecordLock lock(LockPath(folder, overview), RecordLock::Mode::TryOnly);
    if (!lock.Held()) continue;
    reading = ReadRecord(folder, overview);
    if (reading.Trust == RecordTrust::Trusted && reading.Record.Running) CleanUnfinishedRun(folder, reading.Record);
  }
}

}  // namespace generator
