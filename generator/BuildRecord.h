#pragma once
// The build record: a hidden text file beside each overview page that names
// every file a run made for that album, with what each was made from. An
// update trusts it to know which files are its own; a run writes it at its
// start as a journal of what it is about to create, and completes it at its
// end, each time atomically.
//
// Text, one entry per line, fields separated by tabs (tabs, line breaks and
// backslashes in paths escaped), so it stays readable and diffable like the
// publish manifest; the last line holds the SHA-256 of all lines before it,
// so a damaged or cut record is recognised.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/FileFacts.h"
#include "generator/RunOutputs.h"

namespace generator {

// 2: the picture's size and the extra sizes' outputs.
inline constexpr int kBuildRecordVersion = 2;

struct RecordedOutput {
  std::string Name;  // empty: not made
  FileFacts Facts;   // as last seen on disk
  std::string Sha256;
  std::string Depends;  // what else the bytes were made from

  bool operator==(const RecordedOutput&) const = default;
};

struct RecordedPicture {
  std::string Source;  // the album entry's file name
  FileFacts SourceFacts;
  int32_t Width = 0, Height = 0;  // as opened; 0 when unknown
  std::array<RecordedOutput, kOutputKindCount> Outputs;

  bool operator==(const RecordedPicture&) const = default;
};

// A file a running run creates under a new name: known before it is
// created, so a killed run's files can be told from everyone else's.
struct CreatedFile {
  OutputKind Kind = OutputKind::Page;
  std::string Name;
  int64_t Size = 0;  // what the run writes, or 0 for a reserved page still empty
  std::string Sha256;

  bool operator==(const CreatedFile&) const = default;
};

struct BuildRecord {
  std::string OverviewName;
  uint64_t FolderDevice = 0, FolderInode = 0;  // the target folder it belongs to
  bool Running = false;                        // a run is (or was, when killed) at work
  std::vector<RecordedPicture> Pictures;       // the album as on disk
  std::vector<CreatedFile> Created;            // only while Running

  bool operator==(const BuildRecord&) const = default;
};

enum class RecordTrust { Absent, Trusted, Damaged, Foreign, Newer };

struct RecordReading {
  RecordTrust Trust = RecordTrust::Absent;
  BuildRecord Record;  // filled when Trusted
};

std::string RecordText(const BuildRecord& record);

// Trusted only when intact, of a version this program knows, and made for
// this overview name in this very folder.
RecordReading ParseRecord(std::string_view text, const std::string& overviewName, uint64_t folderDevice,
                          uint64_t folderInode);

// Hidden names, so publishing leaves them out: one record and one lock per
// overview page, as several albums may share a folder.
inline constexpr const char* kRecordSuffix = ".lvbuild";
std::string RecordPath(const std::string& folder, const std::string& overviewName);
std::string LockPath(const std::string& folder, const std::string& overviewName);

// An empty record of `overviewName` for `folder` (ending with the delimiter).
BuildRecord NewRecord(const std::string& folder, const std::string& overviewName);

// The record of `overviewName` in `folder` (ending with the delimiter).
RecordReading ReadRecord(const std::string& folder, const std::string& overviewName);

// The German reason a record is not trusted.
std::string DistrustText(RecordTrust trust);

}  // namespace generator
