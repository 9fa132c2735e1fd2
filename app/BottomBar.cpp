#include "app/BottomBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "app/AboutBoxUnit.h"
#include "app/MainLayoutHelpers.h"
#include "app/PictureButton.h"
#include "app/WindowActions.h"

namespace app {

BottomBar::BottomBar(QWidget* parent) : QWidget(parent) {
  wwwBtn = new QToolButton(this);
  wwwBtn->setObjectName("wwwBtn");
  wwwBtn->setText(HomePageCaption);
  wwwBtn->setToolTip("Auf zur Vendrix Homepage...");
  wwwBtn->setAutoRaise(true);
  ueberButton = MakePictureButton("Info", QColor(0, 0, 128), QSize(72, 32), "Informationen über das Programm",
                                  "ueberbtn", "ueberBtn2", this);
  ueberButton->setObjectName("ueberButton");
  ueberbtn = ueberButton->RaisedImage();
  ueberBtn2 = ueberButton->PressedImage();
  EndeButton = MakePictureButton("Ende", QColor(128, 0, 0), QSize(72, 32), "Hiermit verlassen Sie das Programm",
                                 "EndeBtn", "EndeBtnDown", this);
  EndeButton->setObjectName("EndeButton");
  EndeBtn = EndeButton->RaisedImage();
  EndeBtnDown = EndeButton->PressedImage();
  StopBtn = new QPushButton("Abbrechen", this);
  StopBtn->setObjectName("StopBtn");
  StopBtn->setToolTip("Die Erstellung nach den Bildern in Arbeit beenden (Esc)");
  StopBtn->hide();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(wwwBtn);
  layout->addStretch();
  layout->addWidget(StopBtn);
  layout->addWidget(ueberButton);
  layout->addWidget(EndeButton);

  connect(wwwBtn, &QToolButton::clicked, this, &BottomBar::HomePageClicked);
  EndeButton->SetAction([this] { emit EndClicked(); });
  ueberButton->SetAction([this] { emit AboutClicked(); });
}

void BottomBar::UseStopAction(QAction* action) { TriggerFrom(StopBtn, action); }

void BottomBar::SetRunning(bool running) { StopBtn->setVisible(running); }

}  // namespace app
