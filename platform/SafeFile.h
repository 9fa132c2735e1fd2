#pragma once
// Writing files so that a failure never destroys what was there: the bytes go
// to a temporary file in the same folder, are flushed, and only then take the
// target's name.
#include <string>
#include <string_view>

namespace platform {

// How long a write waits. Generated album files can be made again from their
// sources, so they skip the wait for the disk, which costs more than encoding
// a thumbnail; album files and the favourites wait until the bytes are stored.
enum class Durability { WaitForDisk, Regenerable };

// Writes `bytes` to the 8-bit path `ansiPath`. False when anything failed;
// the previous file, if any, is then untouched and no temporary file remains.
// The file keeps its identity: a symbolic link is followed and its target
// replaced within the target's folder, and a replaced file's permission bits
// (and owner, where the process may set it) carry over. A write that waits
// for the disk also clears the litter of killed writers from that folder.
bool WriteFileAtomically(const std::string& ansiPath, std::string_view bytes,
                         Durability durability = Durability::WaitForDisk);

enum class PublishOutcome {
  Published,
  NameTaken,  // an entry of that name exists, whoever created it and when
  Failed,
};

// Writes `bytes` as the new file `ansiPath`, never replacing an entry of that
// name, not even one another process creates while the bytes are written.
PublishOutcome PublishNewFile(const std::string& ansiPath, std::string_view bytes);

// Removes the temporary files that killed writers left in the folder; files
// of writers still at work stay.
void RemoveStaleTemporaryFiles(const std::string& ansiFolder);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& ansiPath, std::string& bytes);

bool FileExists(const std::string& ansiPath);
bool DirectoryExists(const std::string& ansiPath);
// Creates the folder and any missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& ansiPath);

}  // namespace platform
