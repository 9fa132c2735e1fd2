#include "app/SortPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ListBox.h"
#include "app/MainLayoutHelpers.h"

namespace app {

SortPage::SortPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet3");
  auto* body = new QWidget;
  SortBox = new ListBox(body);
  SortBox->setObjectName("SortBox");
  UpNow = new QPushButton(style()->standardIcon(QStyle::SP_ArrowUp), "Nach oben verschieben", body);
  UpNow->setObjectName("UpNow");
  DownNow = new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), "Nach unten verschieben", body);
  DownNow->setObjectName("DownNow");
  auto* side = new QVBoxLayout;
  side->addWidget(Decoration("Bilder sortieren...", body));
  side->addSpacing(16);
  side->addWidget(UpNow);
  side->addWidget(DownNow);
  side->addStretch();
  auto* layout = new QHBoxLayout(body);
  layout->addWidget(SortBox, 1);
  layout->addLayout(side);
  PutBelowHeader("Sortieren - Hier können Sie die Reihenfolge der Bilder ändern", body, this);

  connect(UpNow, &QPushButton::clicked, this, &SortPage::UpClicked);
  connect(DownNow, &QPushButton::clicked, this, &SortPage::DownClicked);
  connect(SortBox, &QAbstractItemView::doubleClicked, this, &SortPage::LineOpened);
  SortBox->KeyPress = [this](int key) {
    if (!IsEnter(key)) return false;
    emit LineOpened();
    return true;
  };
}

void SortPage::SetModel(QAbstractItemModel* lines) { SortBox->setModel(lines); }

void SortPage::GoToFirstLine() {
  if (SortBox->LineCount() > 0) SortBox->SetCurrentLine(0);
}

int SortPage::CurrentLine() const { return SortBox->CurrentLine(); }

void SortPage::SetCurrentLine(int line) { SortBox->SetCurrentLine(line); }

void SortPage::SetRunning(bool running) {
  for (QPushButton* button : {UpNow, DownNow}) button->setEnabled(!running);
}

}  // namespace app
