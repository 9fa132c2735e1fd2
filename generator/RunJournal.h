#pragma once
// A run's build record while it works. Written before the run creates any
// file under a new name, so a killed run's files can be found and removed by
// the next run, and completed at the end. Each write replaces the record
// atomically: a reader sees the old record or the new one.
#include <string>

#include "generator/BuildRecord.h"

namespace generator {

class RunJournal {
 public:
  // `onDisk`: the album the folder holds for this overview before the run.
  RunJournal(std::string folder, BuildRecord onDisk);

  // Files about to be created under new names; written before they are.
  void WillCreate(const CreatedFile& file);
  // A listed name that turned out to be someone else's.
  void Forget(OutputKind kind, const std::string& name);
  // Written at once.
  bool Save();
  // The record of the finished run; written only when its bytes differ from
  // what is there, so a run that changed nothing writes nothing.
  bool Finish(std::vector<RecordedPicture> pictures);

  const BuildRecord& Record() const { return record_; }
  bool Started() const { return started_; }

 private:
  std::string folder_;
  BuildRecord record_;
  bool started_ = false;
};

// Removes what a run left that was killed or failed before its end: its
// reserved pages still empty and the files it created under new names that
// still hold what it wrote; never anything else. The record is then the
// album on disk before that run, or gone when there was none.
void CleanUnfinishedRun(const std::string& folder, BuildRecord& record);

// Does that for every record in `folder` whose run is no longer alive.
void CleanUnfinishedRuns(const std::string& folder);

}  // namespace generator
