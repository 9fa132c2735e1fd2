#include "platform/qt/QtText.h"

#include "platform/Cp1252.h"

namespace platform {

QString ToQString(std::string_view ansi) {
  QString out;
  out.reserve(static_cast<qsizetype>(ansi.size()));
  for (unsigned char c : ansi) out += QChar(static_cast<char16_t>(AnsiToCodePoint(c)));
  return out;
}

std::string FromQString(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (char32_t cp : text.toUcs4()) out += CodePointToAnsi(cp);
  return out;
}

bool FitsAnsi(const QString& text) {
  for (char32_t cp : text.toUcs4())
    if (!CodePointFitsAnsi(cp)) return false;
  return true;
}

}  // namespace platform
