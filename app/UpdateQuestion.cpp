#include "app/UpdateQuestion.h"

#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/QtText.h"

namespace app {

namespace {

QString QuestionText(generator::RecordTrust trust) {
  if (trust == generator::RecordTrust::Trusted)
    return "In diesem Ordner liegt schon ein mit Web Lumivista erstelltes Album dieser Übersichtsseite.\n\n"
           "Aktualisieren: alle Namen bleiben, nur Geändertes wird neu geschrieben, und die Dateien entfernter "
           "Bilder werden gelöscht.\nNeues Album daneben: alle Dateien werden unter neuen Namen erstellt, das "
           "frühere Album bleibt unberührt.";
  return platform::ToQString(generator::DistrustText(trust)) +
         "; ihr wird nicht vertraut, daher kann das Album nicht aktualisiert werden.\n\n"
         "Soll daneben ein neues Album erstellt werden? Das frühere bleibt unberührt.";
}

}  // namespace

generator::UpdateChoice AskUpdateQuestion(QWidget* parent, generator::RecordTrust trust) {
  QMessageBox box(QMessageBox::Question, kUpdateQuestionTitle, QuestionText(trust), QMessageBox::NoButton, parent);
  QPushButton* update = nullptr;
  if (trust == generator::RecordTrust::Trusted) update = box.addButton("Aktualisieren", QMessageBox::AcceptRole);
  QPushButton* beside = box.addButton("Neues Album daneben", QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton("Abbrechen", QMessageBox::RejectRole);
  box.setDefaultButton(update ? update : beside);
  box.setEscapeButton(cancel);
  box.exec();
  if (update && box.clickedButton() == update) return generator::UpdateChoice::Update;
  if (box.clickedButton() == beside) return generator::UpdateChoice::NewBeside;
  return generator::UpdateChoice::Cancel;
}

}  // namespace app
