// The album document's unsaved state, its settings and the signals the
// window's views follow; the list model the three album lists show.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "album/AlbumList.h"
#include "app/AlbumDocument.h"
#include "app/AlbumListModel.h"

namespace {

album::AlbumPictures Entries(std::initializer_list<const char*> names) {
  album::AlbumPictures pictures;
  for (const char* name : names) {
    album::AlbumPicture picture;
    picture.FileName = name;
    pictures.push_back(picture);
  }
  return pictures;
}

std::vector<std::string> Shown(const QAbstractItemModel& model) {
  std::vector<std::string> lines;
  for (int row = 0; row < model.rowCount(); ++row) lines.push_back(model.index(row, 0).data().toString().toStdString());
  return lines;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(AlbumDocument, UnsavedStateFollowsEditsSavesLoadsAndANewAlbum) {
  app::AlbumDocument document;
  QSignalSpy changed(&document, &app::AlbumDocument::LinesReplaced);
  QSignalSpy modified(&document, &app::AlbumDocument::ModifiedChanged);
  QSignalSpy path(&document, &app::AlbumDocument::PathChanged);
  EXPECT_FALSE(document.Modified());

  document.EditLines([](album::AlbumPictures&) { return false; });  // e.g. the first line moved up
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(changed.count(), 0);

  document.EditLines([](album::AlbumPictures& pictures) {
    pictures = Entries({"a.jpg", "b.jpg"});
    return true;
  });
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(changed.count(), 1);
  ASSERT_EQ(modified.count(), 1);
  EXPECT_TRUE(modified.at(0).at(0).toBool());

  // A comment changes the album, not its lines.
  document.EditEntries([](album::AlbumPictures& pictures) { pictures[1].Comment = "zwei"; });
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(modified.count(), 1);

  document.SetOutputFolder("/web/");
  document.SavedAs("/alben/eins.lva");
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(document.Path(), "/alben/eins.lva");
  EXPECT_EQ(path.count(), 1);
  EXPECT_EQ(document.OutputFolder(), "/web/");

  // A file that could not be read leaves the album as it was.
  EXPECT_FALSE(document.Load("/alben/kaputt.lva", [](album::AlbumPictures& pictures, album::AlbumSettings&) {
    pictures = Entries({"halb.jpg"});
    return false;
  }));
  EXPECT_EQ(document.Path(), "/alben/eins.lva");
  EXPECT_EQ(document.Pictures().size(), 2u);
  EXPECT_EQ(changed.count(), 1);

  document.EditEntries([](album::AlbumPictures& pictures) { pictures[0].Marked = 0; });
  EXPECT_TRUE(document.Load("/alben/zwei.lva", [](album::AlbumPictures& pictures, album::AlbumSettings&) {
    pictures = Entries({"c.jpg"});
    return true;
  }));
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(document.Path(), "/alben/zwei.lva");
  EXPECT_EQ(document.Pictures(), Entries({"c.jpg"}));
  EXPECT_EQ(changed.count(), 2);

  document.SetOutputFolder("/web/");
  document.EditLines([](album::AlbumPictures&) { return true; });
  document.Clear();
  EXPECT_FALSE(document.Modified());
  EXPECT_TRUE(document.Pictures().empty());
  EXPECT_FALSE(document.Path().has_value());
  EXPECT_TRUE(document.OutputFolder().empty());
  EXPECT_EQ(changed.count(), 4);
}

// Settings are saved with the album but have never counted as unsaved changes.
TEST(AlbumDocument, SettingsAreTheAlbumsAndLeaveTheUnsavedStateAlone) {
  app::AlbumDocument document;
  QSignalSpy settingsChanged(&document, &app::AlbumDocument::SettingsChanged);
  QSignalSpy modified(&document, &app::AlbumDocument::ModifiedChanged);
  EXPECT_EQ(document.Settings(), album::AlbumSettings());

  album::AlbumSettings settings;
  document.SetSettings(settings);
  EXPECT_EQ(settingsChanged.count(), 0);
  settings.Caption = "Urlaub";
  settings.PicturesPerRow = 3;
  document.SetSettings(settings);
  EXPECT_EQ(settingsChanged.count(), 1);
  EXPECT_EQ(document.Settings(), settings);
  EXPECT_FALSE(document.Modified());

  document.EditLines([](album::AlbumPictures& pictures) {
    pictures = Entries({"a.jpg"});
    return true;
  });
  settings.Border = 7;
  document.SetSettings(settings);
  EXPECT_TRUE(document.Modified());
  document.SavedAs("/alben/a.lva");
  EXPECT_EQ(modified.count(), 2);

  // A read starts from the album's settings and replaces them only when it succeeds.
  EXPECT_FALSE(document.Load("/alben/kaputt.lva", [](album::AlbumPictures&, album::AlbumSettings& read) {
    read.Caption = "halb gelesen";
    return false;
  }));
  EXPECT_EQ(document.Settings().Caption, "Urlaub");
  EXPECT_EQ(settingsChanged.count(), 2);
  album::AlbumSettings startedFrom;
  EXPECT_TRUE(document.Load("/alben/b.lva", [&](album::AlbumPictures& pictures, album::AlbumSettings& read) {
    startedFrom = read;
    pictures = Entries({"b.jpg"});
    read.Caption = "Berge";
    return true;
  }));
  EXPECT_EQ(startedFrom, settings);
  EXPECT_EQ(document.Settings().Caption, "Berge");
  EXPECT_EQ(document.Settings().Border, 7);
  EXPECT_EQ(settingsChanged.count(), 3);

  // A new album keeps them.
  document.Clear();
  EXPECT_EQ(document.Settings().Caption, "Berge");
  EXPECT_EQ(settingsChanged.count(), 3);
}

TEST(AlbumListModel, RowsAndMarksFollowTheDocument) {
  app::AlbumDocument document;
  app::AlbumListModel lines(document);
  app::UnmarkedLines unmarked(&lines);
  // Fails the test program on any change announced wrongly to the views.
  QAbstractItemModelTester tester(&lines, QAbstractItemModelTester::FailureReportingMode::Fatal);
  QSignalSpy reset(&lines, &QAbstractItemModel::modelReset);
  QSignalSpy moved(&lines, &QAbstractItemModel::rowsMoved);
  QSignalSpy dataChanged(&lines, &QAbstractItemModel::dataChanged);

  document.EditLines([](album::AlbumPictures& pictures) {
    pictures = Entries({"/x/a.jpg", "/y/b.jpg", "/x/c.jpg"});
    return true;
  });
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(Shown(lines), (Strings{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(lines.index(2).data(Qt::CheckStateRole).toInt(), Qt::Checked);

  // A move is a move, so the views keep their places; the line goes with it.
  const QPersistentModelIndex a = lines.index(0);
  EXPECT_EQ(document.MoveLine(0, album::DownNow), 1);
  EXPECT_EQ(moved.count(), 1);
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(Shown(lines), (Strings{"b.jpg", "a.jpg", "c.jpg"}));
  EXPECT_EQ(a.row(), 1);
  EXPECT_EQ(document.MoveLine(2, album::UpNow), 1);
  EXPECT_EQ(Shown(lines), (Strings{"b.jpg", "c.jpg", "a.jpg"}));
  EXPECT_EQ(a.row(), 2);
  EXPECT_FALSE(document.MoveLine(2, album::DownNow));
  EXPECT_FALSE(document.MoveLine(-1, album::DownNow));
  EXPECT_EQ(moved.count(), 2);

  // Marks: the document's change reaches the view; a tick in the view reaches the document.
  document.EditEntries([](album::AlbumPictures& pictures) { pictures[1].Marked = 0; });
  ASSERT_EQ(dataChanged.count(), 1);
  EXPECT_EQ(dataChanged.at(0).at(0).toModelIndex().row(), 1);
  EXPECT_EQ(dataChanged.at(0).at(1).toModelIndex().row(), 1);
  EXPECT_EQ(lines.index(1).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  document.SavedAs("/alben/a.lva");
  EXPECT_TRUE(lines.setData(lines.index(2), Qt::Unchecked, Qt::CheckStateRole));
  EXPECT_EQ(document.Pictures()[2].Marked, 0);
  EXPECT_EQ(document.Pictures()[0].Marked, 1);
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(dataChanged.count(), 2);
  EXPECT_FALSE(lines.setData(lines.index(0), "anders.jpg", Qt::EditRole));
  EXPECT_EQ(document.Pictures()[0].FileName, "/y/b.jpg");
  EXPECT_TRUE(lines.flags(lines.index(0)).testFlag(Qt::ItemIsUserCheckable));

  // The other two lists show the same lines without marks.
  EXPECT_EQ(Shown(unmarked), (Strings{"b.jpg", "c.jpg", "a.jpg"}));
  EXPECT_FALSE(unmarked.index(1, 0).data(Qt::CheckStateRole).isValid());
  EXPECT_FALSE(unmarked.flags(unmarked.index(1, 0)).testFlag(Qt::ItemIsUserCheckable));

  document.Clear();
  EXPECT_EQ(reset.count(), 2);
  EXPECT_EQ(lines.rowCount(), 0);
  EXPECT_EQ(unmarked.rowCount(), 0);
}
