#include "app/SourcePage.h"

#include <QSplitter>

#include "app/AlbumListPane.h"
#include "app/FolderBrowser.h"
#include "app/MainLayoutHelpers.h"
#include "app/PreviewPane.h"

namespace app {

SourcePage::SourcePage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet1");
  folders_ = new FolderBrowser;
  albumList_ = new AlbumListPane;
  preview_ = new PreviewPane;

  AlbumSplitter = new QSplitter(Qt::Horizontal);
  AlbumSplitter->setObjectName("AlbumSplitter");
  AlbumSplitter->addWidget(albumList_);
  AlbumSplitter->addWidget(preview_);
  AlbumSplitter->setStretchFactor(0, 2);
  AlbumSplitter->setStretchFactor(1, 1);

  PageSplitter = new QSplitter(Qt::Vertical);
  PageSplitter->setObjectName("PageSplitter");
  PageSplitter->addWidget(folders_);
  PageSplitter->addWidget(AlbumSplitter);
  PageSplitter->setStretchFactor(0, 3);
  PageSplitter->setStretchFactor(1, 2);
  PutBelowHeader("Bilder hinzufügen - Dateien markieren und auf \"Hinzufügen\" klicken", PageSplitter, this);
}

void SourcePage::SaveLayout(QSettings& settings) const {
  folders_->SaveLayout(settings);
  for (const QSplitter* splitter : {PageSplitter, AlbumSplitter}) SaveSplitter(settings, splitter);
}

void SourcePage::RestoreLayout(const QSettings& settings) {
  folders_->RestoreLayout(settings);
  for (QSplitter* splitter : {PageSplitter, AlbumSplitter}) RestoreSplitter(settings, splitter);
}

}  // namespace app
