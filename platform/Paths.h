#pragma once
// Paths are 8-bit Windows-1252 text inside the program, with the platform's
// folder delimiter; they are converted only when handed to the file system.
#include <string>
#include <string_view>

namespace platform {

#ifdef _WIN32
inline constexpr char PathDelimiter = '\\';
#else
inline constexpr char PathDelimiter = '/';
#endif

bool IsPathDelimiter(char c);

// Everything up to and including the last delimiter; empty when there is none.
std::string ExtractFilePath(std::string_view path);
// Everything after the last delimiter.
std::string ExtractFileName(std::string_view path);
bool EndsWithDelimiter(std::string_view path);
// `folder` with a delimiter added unless it ends with one (or is empty).
std::string IncludeTrailingDelimiter(std::string_view folder);

// Folder comparison used when deciding whether a file lies in a folder.
// Windows file systems fold the case of a to z; Linux ones do not.
bool SameFolder(std::string_view a, std::string_view b);

// The 8-bit path as the file system expects it (UTF-8 on Linux), and back.
std::string ToFileSystem(std::string_view ansiPath);
std::string FromFileSystem(std::string_view fsPath);

// The folder of the running executable, ending with the delimiter.
const std::string& ProgramFolder();
// Replaces ProgramFolder for tests and for tools that run from elsewhere.
void SetProgramFolder(std::string folder);

}  // namespace platform
