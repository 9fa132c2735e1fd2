// The album document's unsaved state and the signals the window's views follow.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "app/AlbumDocument.h"

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

}  // namespace

TEST(AlbumDocument, UnsavedStateFollowsEditsSavesLoadsAndANewAlbum) {
  app::AlbumDocument document;
  QSignalSpy changed(&document, &app::AlbumDocument::Changed);
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
  EXPECT_FALSE(document.Load("/alben/kaputt.lva", [](album::AlbumPictures&) { return false; }));
  EXPECT_EQ(document.Path(), "/alben/eins.lva");
  EXPECT_EQ(document.Pictures().size(), 2u);
  EXPECT_EQ(changed.count(), 1);

  document.EditEntries([](album::AlbumPictures& pictures) { pictures[0].Marked = 0; });
  EXPECT_TRUE(document.Load("/alben/zwei.lva", [](album::AlbumPictures& pictures) {
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
