#pragma once
// The question before a run whose overview folder holds an earlier build of
// that overview: update it in place, make a new album beside it, or cancel.
// The answer is the user's; closing the box cancels.
#include <QString>

#include "generator/GenerateAlbum.h"

class QWidget;

namespace app {

inline const QString kUpdateQuestionTitle = "Lumivista erstellen";

generator::UpdateChoice AskUpdateQuestion(QWidget* parent, generator::RecordTrust trust);

}  // namespace app
