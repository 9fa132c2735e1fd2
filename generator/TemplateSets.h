#pragma once
// Template sets: sub-folders of a templates folder, each holding the ten page
// fragments of one design. The program reads the shipped designs and, once
// installed, the user's own (platform/InstallLayout.h).
#include <string>
#include <vector>

namespace generator {

// Templates folders in reading order: the shipped designs first, then the
// user's own.
using TemplateFolders = std::vector<std::string>;

// "template" beside the program in the build tree; installed, the shipped
// designs plus $XDG_DATA_HOME/web-lumivista/template.
TemplateFolders DefaultTemplateFolders();

// Names of the sub-folders of `templatesFolder`, sorted by name ignoring the
// case of A to Z (the order the Windows file system lists them in). Plain
// files are ignored; a missing folder gives an empty list.
std::vector<std::string> TemplateSetNames(const std::string& templatesFolder);
// The sets of all folders, listed together in that order; a name found in
// several folders is listed once.
std::vector<std::string> TemplateSetNames(const TemplateFolders& folders);

// The folder of set `name`, ending with the delimiter. An empty name (no
// set installed) gives the templates folder followed by two delimiters, so
// reading a fragment from it fails with the fragment's full path.
std::string TemplateSetFolder(const std::string& templatesFolder, const std::string& name);
// A set of the same name in a later folder wins: a user's copy of a shipped
// design replaces it. A name found nowhere gives its path in the first folder.
std::string TemplateSetFolder(const TemplateFolders& folders, const std::string& name);

}  // namespace generator
