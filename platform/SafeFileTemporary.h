#pragma once
// The temporary file a safe write fills before it gets its final name. It
// lives beside the target (a rename cannot cross file systems) and is either
// unnamed (O_TMPFILE), so a killed process leaves nothing behind, or has a
// short hidden name of its own, never a suffix on the final name, so every
// name the file system accepts can be written. It is locked while its writer
// lives, which tells a live writer's file from the litter of a killed one.
#include <string>
#include <string_view>

namespace platform {

enum class PublishOutcome;

class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& fsFolder);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }

  // Gives the written file the name `fsTarget` without ever replacing an
  // entry of that name.
  PublishOutcome LinkAs(const std::string& fsTarget);
  // Replaces `fsTarget` (or creates it) in one step.
  bool ReplaceTarget(const std::string& fsTarget);

 private:
  bool GiveTemporaryName();

  std::string folder_;  // ends with '/'
  int fd_ = -1;
  std::string name_;  // full temporary path; empty while the file is unnamed
};

// True for names TemporaryFile gives: ".lv" + 8 hex digits + ".tmp".
bool IsTemporaryName(std::string_view name);

// The folder part of a file-system path, ending with '/' ("./" for a bare name).
std::string FolderOf(const std::string& fsPath);

}  // namespace platform
