#pragma once
// The committing side of an export: takes each picture's work results in
// picture order on the thread that runs the export, chooses the free names,
// publishes the files, writes the detail page and makes every report.
#include <cstdint>
#include <string>
#include <vector>

#include "generator/NewNames.h"
#include "generator/PictureExport.h"
#include "generator/PicturePool.h"
#include "generator/RunJournal.h"
#include "generator/UpdatePlan.h"

namespace generator {

// What the committer reads, fixed for the whole run.
struct CommitSetup {
  const album::AlbumPictures& Pictures;
  const album::AlbumSettings& Settings;
  const TemplateFragments& Fragments;
  const ExportTarget& Target;
  const ExportReporting& Reporting;
  const RunPlan& Plan;
  const OutputDepends& Depends;
  // Files this album already owns are replaced only when their bytes differ.
  bool Update = false;
};

// What the committer fills in: the names pages link to, the new record's
// entries (in album order) and the journal of new files.
struct CommitTables {
  RunOutputs& Outputs;
  std::vector<RecordedPicture>& Made;
  RunJournal& Journal;
  NewNames& Names;
};

class PictureCommitter : public OrderedConsumer {
 public:
  PictureCommitter(const CommitSetup& setup, const CommitTables& tables) : setup_(setup), tables_(tables) {}

  void Begin(int32_t index) override;
  void Take(WorkEvent event) override;
  void End(int32_t index) override;

  int32_t Failed() const { return failed_; }
  int32_t PagesWritten() const { return pagesWritten_; }
  int32_t PicturesWorked() const { return picturesWorked_; }

 private:
  void Opened(const WorkEvent& event);
  void Copy(const WorkEvent& event);
  void Thumbnail(const WorkEvent& event);
  bool Publish(const EncodedJpeg& jpeg, OutputKind kind, int32_t width, int32_t height);
  bool PublishNew(const EncodedJpeg& jpeg, OutputKind kind, const std::string& sha256, std::string& lastName);
  bool ReplaceOwned(const EncodedJpeg& jpeg, OutputKind kind, const std::string& sha256);
  bool WriteDetailPage();
  void ForgetKindsNotMade(int32_t width, int32_t height);
  std::string Folder(OutputKind kind) const;
  RecordedOutput& Made(OutputKind kind);

  const CommitSetup setup_;
  const CommitTables tables_;

  int32_t index_ = 0;
  std::string base_;
  int32_t width_ = 0, height_ = 0;
  bool complete_ = false;
  int32_t failed_ = 0;
  int32_t pagesWritten_ = 0;
  int32_t picturesWorked_ = 0;
};

// Takes a detail page name for every picture without one before the first
// page is written: pages link to their neighbours. The empty files keep later
// names, and other runs into the same folder, from taking them; the journal
// lists them.
void ReserveDetailPageNames(const album::AlbumPictures& pictures, const std::string& htmlFolder,
                            const CommitTables& tables);

// Writes `bytes` to the file an album owns unless it holds them already (so
// an unchanged file keeps its time); never through a link or onto a folder.
enum class OwnedWrite { Unchanged, Written, Failed };
OwnedWrite WriteOwnedFile(const std::string& path, std::string_view bytes);

}  // namespace generator
