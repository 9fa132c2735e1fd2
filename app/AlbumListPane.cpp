#include "app/AlbumListPane.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ListBox.h"

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
  for (QPushButton* button : {DelBtn, ViewBtn, PrintBtn}) button->setEnabled(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 4);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {AddBtn, DelBtn, ViewBtn, PrintBtn}) buttons->addWidget(button);
  layout->addWidget(ImageList, 1);
  layout->addLayout(buttons);

  connect(AddBtn, &QPushButton::clicked, this, &AlbumListPane::AddClicked);
  connect(DelBtn, &QPushButton::clicked, this, &AlbumListPane::DeleteClicked);
  connect(ViewBtn, &QPushButton::clicked, this, &AlbumListPane::ViewClicked);
  connect(PrintBtn, &QPushButton::clicked, this, &AlbumListPane::PrintClicked);
  connect(ImageList, &QListWidget::itemDoubleClicked, this, &AlbumListPane::LineOpened);
  ImageList->AcceptFiles([this](const std::vector<QString>& paths) { emit FilesDropped(paths); });
  ImageList->KeyPress = [this](int key) {
    if (IsEnter(key)) emit LineOpened();
    if (key == Qt::Key_Delete) emit DeleteClicked();
    return IsEnter(key) || key == Qt::Key_Delete;
  };
}

void AlbumListPane::ShowLines(const QStringList& lines) {
  ImageList->clear();
  ImageList->addItems(lines);
  const bool any = !lines.isEmpty();
  for (QPushButton* button : {ViewBtn, PrintBtn, DelBtn}) button->setEnabled(any);
  if (any) ImageList->setCurrentRow(0);
}

int AlbumListPane::CurrentLine() const { return ImageList->currentRow(); }

void AlbumListPane::FocusLine(int line) { ImageList->setCurrentRow(line, QItemSelectionModel::NoUpdate); }

std::vector<int> AlbumListPane::SelectedLines() const { return ImageList->SelectedLines(); }

bool AlbumListPane::ClickDeleteButton() {
  if (!DelBtn->isEnabled() || !DelBtn->isVisible()) return false;
  DelBtn->click();
  return true;
}

void AlbumListPane::SetRunning(bool running) {
  lock_.Follow(running, {AddBtn, DelBtn});
}

}  // namespace app
