#pragma once
// Paths given on the command line or in JSON (UTF-8), made absolute against
// the working folder as the folder tree would give them, as 8-bit text.
#include <string>

std::string AbsoluteAnsiPath(const std::string& utf8Path);
