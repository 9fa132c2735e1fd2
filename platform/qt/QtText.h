#pragma once
// Conversions between the program's Windows-1252 text and Qt's strings.
#include <QList>
#include <QString>
#include <string>
#include <string_view>

namespace platform {

QString ToQString(std::string_view ansi);
std::string FromQString(const QString& text);
// True when FromQString keeps every character of `text`.
bool FitsAnsi(const QString& text);

}  // namespace platform
