#include "app/AlbumListPane.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ListBox.h"
#include "app/WindowActions.h"

namespace app {

AlbumListPane::AlbumListPane(QWidget* parent) : QWidget(parent) {
  ImageList = new ListBox;
  ImageList->setObjectName("ImageList");
  ImageList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  AddBtn = new QPushButton("&Hinzufügen");
  DelBtn = new QPushButton("&Löschen");
  ViewBtn = new QPushButton("&Groß anzeigen");
  PrintBtn = new QPushButton("Drucken...");
  AddBtn->setObjectName("AddBtn");
  DelBtn->setObjectName("DelBtn");
  ViewBtn->setObjectName("ViewBtn");
  PrintBtn->setObjectName("PrintBtn");
  for (QPushButton* button : {ViewBtn, PrintBtn}) button->setEnabled(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 4);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {AddBtn, DelBtn, ViewBtn, PrintBtn}) buttons->addWidget(button);
  layout->addWidget(ImageList, 1);
  layout->addLayout(buttons);

  connect(AddBtn, &QPushButton::clicked, this, &AlbumListPane::AddClicked);
  connect(ViewBtn, &QPushButton::clicked, this, &AlbumListPane::ViewClicked);
  connect(PrintBtn, &QPushButton::clicked, this, &AlbumListPane::PrintClicked);
  connect(ImageList, &QAbstractItemView::doubleClicked, this, &AlbumListPane::LineOpened);
  ImageList->AcceptFiles([this](const std::vector<QString>& paths) { emit FilesDropped(paths); });
}

void AlbumListPane::UseDeleteAction(QAction* action) {
  TriggerFrom(DelBtn, action);
  ImageList->KeyPress = [this, action](int key) {
    if (IsEnter(key)) emit LineOpened();
    if (key == Qt::Key_Delete) action->trigger();
    return IsEnter(key) || key == Qt::Key_Delete;
  };
}

void AlbumListPane::SetModel(QAbstractItemModel* lines) { ImageList->setModel(lines); }

void AlbumListPane::GoToFirstLine() {
  const bool any = ImageList->LineCount() > 0;
  for (QPushButton* button : {ViewBtn, PrintBtn}) button->setEnabled(any);
  if (any) ImageList->SetCurrentLine(0);
}

int AlbumListPane::CurrentLine() const { return ImageList->CurrentLine(); }

void AlbumListPane::FocusLine(int line) { ImageList->SetCurrentLine(line, QItemSelectionModel::NoUpdate); }

std::vector<int> AlbumListPane::SelectedLines() const { return ImageList->SelectedLines(); }

void AlbumListPane::SetRunning(bool running) {
  AddBtn->setEnabled(!running);
  ImageList->TakeFiles(!running);
}

}  // namespace app
