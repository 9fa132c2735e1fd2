#include "generator/TemplateSets.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/InstallLayout.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

namespace generator {

namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Ignoring A-Z case; names equal that way keep a stable byte order.
bool ListedBefore(const std::string& a, const std::string& b) {
  const auto folded = [](const std::string& s) {
    std::string f(s);
    std::transform(f.begin(), f.end(), f.begin(), FoldAscii);
    return f;
  };
  const std::string fa = folded(a), fb = folded(b);
  return fa != fb ? fa < fb : a < b;
}

}  // namespace

TemplateFolders DefaultTemplateFolders() { return platform::CurrentDataFolders().templateFolders; }

std::vector<std::string> TemplateSetNames(const std::string& templatesFolder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(fs::path(platform::ToFileSystem(templatesFolder)), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) continue;
    names.push_back(platform::FromFileSystem(it->path().filename().string()));
  }
  std::sort(names.begin(), names.end(), ListedBefore);
  return names;
}

std::string TemplateSetFolder(const std::string& templatesFolder, const std::string& name) {
  return platform::IncludeTrailingDelimiter(templatesFolder) + name + platform::PathDelimiter;
}

std::vector<std::string> TemplateSetNames(const TemplateFolders& folders) {
  std::vector<std::string> names;
  for (const std::string& folder : folders)
    for (std::string& name : TemplateSetNames(folder))
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  std::sort(names.begin(), names.end(), ListedBefore);
  return names;
}

std::string TemplateSetFolder(const TemplateFolders& folders, const std::string& name) {
  for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
    const std::string set = TemplateSetFolder(*folder, name);
    if (!name.empty() && platform::DirectoryExists(set)) return set;
  }
  return TemplateSetFolder(folders.empty() ? std::string() : folders.front(), name);
}

}  // namespace generator
