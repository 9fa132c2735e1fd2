#pragma once
// Paths and texts given on the command line or in JSON (UTF-8), as the album
// holds them: 8-bit Windows-1252, paths made absolute against the working
// folder as the folder tree would give them.
#include <string>
#include <string_view>

namespace cli {

std::string AbsoluteAnsiPath(const std::string& utf8Path);

// The checked forms for what `new` stores. Text that Windows-1252 cannot
// hold would be stored with '?' in its place (and a '?' path may name
// another file), so it is refused: false, with a German message naming the
// text and `what` it is (e.g. "comment") in `error`.
bool CheckedAnsiPath(const std::string& utf8Path, std::string& ansiPath, std::string& error);
bool CheckedAnsiText(const std::string& utf8, std::string_view what, std::string& ansi, std::string& error);

}  // namespace cli
