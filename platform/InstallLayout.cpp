#include "platform/InstallLayout.h"

#include <cstdlib>

#include "platform/Paths.h"
#include "platform/SafeFile.h"

namespace platform {
namespace {

constexpr const char* kFolderName = "web-lumivista";

// The prefix of <prefix>/bin/: the folder above the program's, with a delimiter.
std::string ParentFolder(const std::string& programFolder) {
  std::string folder = programFolder;
  if (EndsWithDelimiter(folder)) folder.pop_back();
  return ExtractFilePath(folder);
}

std::string ShippedDataFolder(const std::string& programFolder) {
  return ParentFolder(programFolder) + "share" + PathDelimiter + kFolderName + PathDelimiter;
}

// An XDG base folder: the variable when it holds an absolute path (relative
// ones are to be ignored), else the default below the home folder.
std::string XdgFolder(const EnvironmentLookup& environment, const char* variable, const char* homeDefault) {
  const char* value = environment(variable);
  if (value && value[0] == '/') return IncludeTrailingDelimiter(FromFileSystem(value));
  const char* home = environment("HOME");
  if (!home || home[0] != '/') return {};
  return IncludeTrailingDelimiter(FromFileSystem(home)) + homeDefault + PathDelimiter;
}

}  // namespace

const char* SystemEnvironment(const char* name) { return std::getenv(name); }

Layout LayoutOf(const std::string& programFolder) {
  const std::string folder = IncludeTrailingDelimiter(programFolder);
  if (DirectoryExists(folder + "template")) return Layout::ProgramFolder;
  return DirectoryExists(ShippedDataFolder(folder) + "template") ? Layout::Installed : Layout::ProgramFolder;
}

DataFolders DataFoldersFor(const std::string& programFolder, const EnvironmentLookup& environment) {
  const std::string folder = IncludeTrailingDelimiter(programFolder);
  DataFolders data;
  data.layout = LayoutOf(folder);
  if (data.layout == Layout::ProgramFolder) {
    data.templateFolders = {folder + "template"};
    data.stateFolder = folder;
    return data;
  }
  data.templateFolders = {ShippedDataFolder(folder) + "template"};
  const std::string userData = XdgFolder(environment, "XDG_DATA_HOME", ".local/share");
  if (!userData.empty()) data.templateFolders.push_back(userData + kFolderName + PathDelimiter + "template");
  const std::string config = XdgFolder(environment, "XDG_CONFIG_HOME", ".config");
  if (!config.empty()) data.stateFolder = config + kFolderName + PathDelimiter;
  return data;
}

DataFolders CurrentDataFolders() { return DataFoldersFor(ProgramFolder(), SystemEnvironment); }

std::string StateFilePath(const std::string& programFolder, std::string_view fileName) {
  const std::string folder = DataFoldersFor(programFolder, SystemEnvironment).stateFolder;
  return folder.empty() ? std::string() : folder + std::string(fileName);
}

bool WriteStateFile(const std::string& programFolder, std::string_view fileName, std::string_view bytes) {
  const DataFolders data = DataFoldersFor(programFolder, SystemEnvironment);
  if (data.stateFolder.empty()) return false;
  // The per-user folder may not exist yet; a missing program folder is an error.
  if (data.layout == Layout::Installed && !ForceDirectories(data.stateFolder)) return false;
  return WriteFileAtomically(data.stateFolder + std::string(fileName), bytes);
}

}  // namespace platform
