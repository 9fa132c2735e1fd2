#pragma once
// Writing files so that a failure never destroys what was there: the bytes go
// to a temporary file in the same folder, are flushed, and only then renamed
// over the target.
#include <string>
#include <string_view>

namespace platform {

// Writes `bytes` to the 8-bit path `ansiPath`. False when anything failed;
// the previous file, if any, is then untouched and no temporary file remains.
bool WriteFileAtomically(const std::string& ansiPath, std::string_view bytes);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& ansiPath, std::string& bytes);

bool FileExists(const std::string& ansiPath);
bool DirectoryExists(const std::string& ansiPath);
// Creates the folder and any missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& ansiPath);

}  // namespace platform
