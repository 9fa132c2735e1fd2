#include "app/AnsiText.h"

#include "platform/Cp1252.h"
#include "platform/qt/QtText.h"

namespace app {

QString ShownName(const QString& text) {
  QString shown;
  for (const char32_t cp : text.toUcs4()) {
    if (platform::CodePointFitsAnsi(cp))
      shown += QString::fromUcs4(&cp, 1);
    else
      shown += "<U+" + QString::number(static_cast<uint>(cp), 16).toUpper().rightJustified(4, '0') + ">";
  }
  return shown;
}

std::string UnfitNamesMessage(const std::vector<QString>& paths) {
  QString text =
      "Folgende Dateien werden nicht übernommen: ihr Name enthält Zeichen, die Web Lumivista nicht "
      "speichern kann. Bitte benennen Sie sie um.\n";
  for (const QString& path : paths) text += "\n" + ShownName(path);
  return platform::FromQString(text);
}

QString WithPlainLineBreaks(QString text) {
  for (QChar& c : text)
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
  return text;
}

QString RefusedCharacterText() {
  return "Dieses Zeichen kann Web Lumivista nicht speichern; es wurde nicht übernommen.";
}

QValidator::State AnsiValidator::validate(QString& input, int&) const {
  return platform::FitsAnsi(input) ? Acceptable : Invalid;
}

}  // namespace app
