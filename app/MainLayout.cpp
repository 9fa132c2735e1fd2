// Building the main window's tool row and its first three pages.
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/ListBox.h"
#include "app/MainLayoutHelpers.h"
#include "app/MainUnit.h"
#include "app/ShellListView.h"
#include "viewer/PaintBox.h"

namespace app {

QLabel* HeaderLine(const QString& text, QWidget* parent) {
  auto* header = new QLabel(text, parent);
  QFont font = header->font();
  font.setBold(true);
  header->setFont(font);
  header->setAutoFillBackground(true);
  header->setStyleSheet("QLabel { background-color: #20407a; color: white; padding: 4px; }");
  return header;
}

QWidget* PageWithHeader(const QString& header, QWidget* body, QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  if (!header.isEmpty()) layout->addWidget(HeaderLine(header, page));
  layout->addWidget(body, 1);
  return page;
}

QToolButton* ToolButton(const QString& caption, const QString& hint, QStyle::StandardPixmap icon, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(caption);
  button->setToolTip(hint);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  return button;
}

}  // namespace app

using app::PageWithHeader;
using app::ToolButton;

void TMainForm::BuildToolRow() {
  auto* bar = new QToolBar(this);
  bar->setObjectName("ToolRow");
  bar->setMovable(false);
  NewBtn = ToolButton("&Neu", "Neues Album erstellen", QStyle::SP_FileIcon, bar);
  OpenBtn = ToolButton("Ö&ffnen...", "Album öffnen...", QStyle::SP_DialogOpenButton, bar);
  SaveBtn = ToolButton("&Speichern", "Album speichern", QStyle::SP_DialogSaveButton, bar);
  SaveAsBtn = ToolButton("Speichern &unter...", "Album speichern unter...", QStyle::SP_DriveFDIcon, bar);
  // The arrow beside "Öffnen..." lists the albums used last.
  RecentMenu = new QMenu(OpenBtn);
  RecentMenu->setObjectName("RecentMenu");
  OpenBtn->setMenu(RecentMenu);
  OpenBtn->setPopupMode(QToolButton::MenuButtonPopup);
  connect(RecentMenu, &QMenu::aboutToShow, this, &TMainForm::FillRecentMenu);
  for (QToolButton* button : {NewBtn, OpenBtn, SaveBtn, SaveAsBtn}) bar->addWidget(button);
  addToolBar(Qt::TopToolBarArea, bar);
}

QWidget* TMainForm::BuildSourcePage() {
  auto* favouritesRow = new QWidget;
  auto* favouritesLayout = new QHBoxLayout(favouritesRow);
  favouritesLayout->setContentsMargins(4, 4, 4, 0);
  auto* favouritesLabel = new QLabel("Lieblings Ordner:", favouritesRow);
  PrefListBox = new app::ListBox(favouritesRow);
  PrefListBox->setObjectName("PrefListBox");
  PrefListBox->setFixedHeight(2 * PrefListBox->fontMetrics().height() + 2 * PrefListBox->frameWidth() + 4);
  favouritesLabel->setBuddy(PrefListBox);
  favouritesLayout->addWidget(favouritesLabel, 0, Qt::AlignTop);
  favouritesLayout->addWidget(PrefListBox, 1);

  folderModel_ = new QFileSystemModel(this);
  folderModel_->setFilter(QDir::AllDirs | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives | QDir::Hidden);
  folderModel_->setRootPath(QDir::rootPath());
  JamShellTree1 = new QTreeView;
  JamShellTree1->setObjectName("JamShellTree1");
  JamShellTree1->setModel(folderModel_);
  JamShellTree1->setHeaderHidden(true);
  for (int column = 1; column < folderModel_->columnCount(); ++column) JamShellTree1->hideColumn(column);

  fileModel_ = new QFileSystemModel(this);
  fileModel_->setFilter(QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot);
  fileModel_->setNameFilterDisables(false);
  fileModel_->setNameFilters({"*"});
  fileModel_->setReadOnly(false);
  JamShellList1 = new app::ShellListView;
  JamShellList1->setObjectName("JamShellList1");
  JamShellList1->setModel(fileModel_);
  JamShellList1->header()->setSectionResizeMode(0, QHeaderView::Stretch);

  SourceSplitter = new QSplitter(Qt::Horizontal);
  SourceSplitter->setObjectName("SourceSplitter");
  SourceSplitter->addWidget(JamShellTree1);
  SourceSplitter->addWidget(JamShellList1);
  SourceSplitter->setStretchFactor(1, 2);

  auto* top = new QWidget;
  auto* topLayout = new QVBoxLayout(top);
  topLayout->setContentsMargins(0, 0, 0, 0);
  topLayout->addWidget(favouritesRow);
  topLayout->addWidget(SourceSplitter, 1);

  ImageList = new app::ListBox;
  ImageList->setObjectName("ImageList");
  ImageList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  AddBtn = new QPushButton("&Hinzufügen");
  DelBtn = new QPushButton("&Löschen");
  ViewBtn = new QPushButton("&Groß anzeigen");
  PrintBtn = new QPushButton("Drucken...");
  for (QPushButton* button : {DelBtn, ViewBtn, PrintBtn}) button->setEnabled(false);
  auto* albumSide = new QWidget;
  auto* albumLayout = new QVBoxLayout(albumSide);
  albumLayout->setContentsMargins(4, 0, 4, 4);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {AddBtn, DelBtn, ViewBtn, PrintBtn}) buttons->addWidget(button);
  albumLayout->addWidget(ImageList, 1);
  albumLayout->addLayout(buttons);

  FilterComboBox1 = new QComboBox;
  FilterComboBox1->setObjectName("FilterComboBox1");
  FilterComboBox1->setToolTip("Hier können Sie die angezeigten Dateitypen wählen");
  DibPrevPaint = new viewer::PaintBox;
  DibPrevPaint->Hint = QSize(320, 200);
  DibPrevPaint->setObjectName("DibPrevPaint");
  DibPrevPaint->setToolTip("Zeigt eine Vorschau des geladenen Bildes");
  DibPrevPaint->setMinimumSize(160, 100);
  auto* previewSide = new QWidget;
  auto* previewLayout = new QVBoxLayout(previewSide);
  previewLayout->setContentsMargins(4, 0, 4, 4);
  previewLayout->addWidget(FilterComboBox1);
  previewLayout->addWidget(DibPrevPaint, 1);

  AlbumSplitter = new QSplitter(Qt::Horizontal);
  AlbumSplitter->setObjectName("AlbumSplitter");
  AlbumSplitter->addWidget(albumSide);
  AlbumSplitter->addWidget(previewSide);
  AlbumSplitter->setStretchFactor(0, 2);
  AlbumSplitter->setStretchFactor(1, 1);

  PageSplitter = new QSplitter(Qt::Vertical);
  PageSplitter->setObjectName("PageSplitter");
  PageSplitter->addWidget(top);
  PageSplitter->addWidget(AlbumSplitter);
  PageSplitter->setStretchFactor(0, 3);
  PageSplitter->setStretchFactor(1, 2);
  return PageWithHeader("Bilder hinzufügen - Dateien markieren und auf \"Hinzufügen\" klicken", PageSplitter,
                        PageControl2);
}

QWidget* TMainForm::BuildSortPage() {
  auto* body = new QWidget;
  SortBox = new app::ListBox(body);
  SortBox->setObjectName("SortBox");
  UpNow = new QPushButton(style()->standardIcon(QStyle::SP_ArrowUp), "Nach oben verschieben", body);
  DownNow = new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), "Nach unten verschieben", body);
  auto* decoration = new QLabel("Bilder sortieren...", body);
  QFont font = decoration->font();
  font.setPointSizeF(font.pointSizeF() * 1.6);
  font.setBold(true);
  decoration->setFont(font);
  auto* side = new QVBoxLayout;
  side->addWidget(decoration);
  side->addSpacing(16);
  side->addWidget(UpNow);
  side->addWidget(DownNow);
  side->addStretch();
  auto* layout = new QHBoxLayout(body);
  layout->addWidget(SortBox, 1);
  layout->addLayout(side);
  return PageWithHeader("Sortieren - Hier können Sie die Reihenfolge der Bilder ändern", body, PageControl2);
}

QWidget* TMainForm::BuildCommentPage() {
  auto* body = new QWidget;
  ImageBox = new app::ListBox(body);
  ImageBox->setObjectName("ImageBox");
  ImageBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* group = new QGroupBox("Kommentar zum Bild", body);
  ShowComment = new QCheckBox("Kommentar anzeigen", group);
  ShowComment->setChecked(true);
  ComMemo = new QPlainTextEdit(group);
  ComMemo->setObjectName("ComMemo");
  ComMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  ComMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ComMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(ShowComment);
  groupLayout->addWidget(ComMemo, 1);
  auto* layout = new QHBoxLayout(body);
  layout->addWidget(ImageBox, 1);
  layout->addWidget(group, 1);
  return PageWithHeader("Kommentar - Bild auswählen und einen Kommentar eingeben", body, PageControl2);
}
