#pragma once
// Where the program finds its designs and keeps the files it writes.
//
// Run from the build tree (the designs in "template" beside the executable)
// everything stays in the program folder. Installed as <prefix>/bin with
// <prefix>/share/web-lumivista beside it, the designs come from there and from
// the user's $XDG_DATA_HOME/web-lumivista/template, and every file the program
// writes goes to $XDG_CONFIG_HOME/web-lumivista/: never below the prefix.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class Layout { ProgramFolder, Installed };

// An environment variable's value, or null when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;
const char* SystemEnvironment(const char* name);

struct DataFolders {
  Layout layout = Layout::ProgramFolder;
  // Folders holding design sets, shipped first, then the user's own.
  std::vector<std::string> templateFolders;
  // Folder of "folders.dat" and the other writable files, ending with the
  // delimiter; empty when no home folder is known.
  std::string stateFolder;
};

// Installed only when no "template" lies beside the program and
// "../share/web-lumivista/template" does.
Layout LayoutOf(const std::string& programFolder);
DataFolders DataFoldersFor(const std::string& programFolder, const EnvironmentLookup& environment);
// For the running program: ProgramFolder() and the real environment.
DataFolders CurrentDataFolders();

// Path of the writable file `fileName` for a program in `programFolder`.
std::string StateFilePath(const std::string& programFolder, std::string_view fileName);
// Writes it safely, creating the per-user folder first when installed.
bool WriteStateFile(const std::string& programFolder, std::string_view fileName, std::string_view bytes);

}  // namespace platform
