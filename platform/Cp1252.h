#pragma once
// Windows-1252 is the program's text encoding inside; these convert at the
// edges (file system, command line, JSON). Characters that Windows-1252
// cannot hold become '?', as the Windows ANSI conversion does.
#include <string>
#include <string_view>

namespace platform {

std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

// True when every character of the UTF-8 text has a Windows-1252 byte, so
// Utf8ToAnsi changes nothing but the encoding. Malformed UTF-8 does not fit.
bool FitsAnsi(std::string_view utf8);

// The Unicode code point of one Windows-1252 byte. The five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control
// of the same value, as Windows' own conversion does.
char32_t AnsiToCodePoint(unsigned char byte);

// The Windows-1252 byte for a code point, or '?' when there is none.
char CodePointToAnsi(char32_t codePoint);
bool CodePointFitsAnsi(char32_t codePoint);

}  // namespace platform
