#pragma once
// Template sets: sub-folders of "template" beside the program, each holding
// the ten page fragments of one design.
#include <string>
#include <vector>

// ProgramFolder + "template".
std::string DefaultTemplatesFolder();

// Names of the sub-folders of `templatesFolder`, sorted by name ignoring the
// case of A to Z (the order the Windows file system lists them in). Plain
// files are ignored; a missing folder gives an empty list.
std::vector<std::string> TemplateSetNames(const std::string& templatesFolder);

// The folder of set `name`, ending with the delimiter. An empty name (no
// set installed) gives the templates folder followed by two delimiters, so
// reading a fragment from it fails with the fragment's full path.
std::string TemplateSetFolder(const std::string& templatesFolder, const std::string& name);
