#pragma once
// Text the album can keep: pictures' paths and typed text are stored in
// Windows-1252. What it cannot hold is refused where it enters, never turned
// into "?" behind the user's back.
#include <QString>
#include <QValidator>
#include <vector>

namespace app {

// `text` with each character Windows-1252 cannot hold written as <U+XXXX>,
// so a message can name it.
QString ShownName(const QString& text);

// The message for paths that cannot be taken (Windows-1252).
std::string UnfitNamesMessage(const std::vector<QString>& paths);

// Text of a multi-line edit with its paragraph and line separators as
// plain line breaks.
QString WithPlainLineBreaks(QString text);

// The status line for a typed character that was not taken.
QString RefusedCharacterText();

// Refuses typed or pasted text that Windows-1252 cannot hold.
class AnsiValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;
};

}  // namespace app
