#pragma once
// Names of the generated files. They hold only ASCII letters and digits
// before the extension, so no generated file can leave its folder.
#include <string>
#include <string_view>

// Only A-Z, a-z and 0-9 of `text`, in order.
std::string AlnumOnly(std::string_view text);

// The base of a source picture's output names: its file name without folder
// and without the extension (from the last dot on), through AlnumOnly.
std::string NameBase(std::string_view sourcePath);

// base + extension if no entry of that name exists in `folder` (ending with
// the delimiter), else base + n + extension for the smallest free n = 0, 1, ...
std::string FreeName(const std::string& folder, const std::string& base, const std::string& extension);

// Creates an empty file, failing rather than replacing an existing entry.
bool CreateEmptyFile(const std::string& path);
