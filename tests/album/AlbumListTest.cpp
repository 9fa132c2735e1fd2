#include <gtest/gtest.h>

#include "album/AlbumList.h"

namespace {

album::AlbumPictures FivePictures() {
  album::AlbumPictures pictures;
  album::AddSelectedNames(pictures, "/bilder", {"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}, nullptr);
  return pictures;
}

std::vector<std::string> Names(const album::AlbumPictures& pictures) { return album::LineTexts(pictures); }

}  // namespace

TEST(AddSelectedNames, AppendsInOrderWithBothFlagsAndNoComment) {
  album::AlbumPictures pictures;
  album::AddSelectedNames(pictures, "/old", {"x.jpg"}, nullptr);
  std::vector<std::string> favourites;
  AddSelectedNames(pictures, "/home/anna/Bilder", {"c.jpg", "a.jpg", "b.jpg"},
                   [&](const std::string& folder) { favourites.push_back(folder); });
  ASSERT_EQ(album::PictureCount(pictures), 4);
  EXPECT_EQ(pictures[1].FileName, "/home/anna/Bilder/c.jpg");
  EXPECT_EQ(pictures[2].FileName, "/home/anna/Bilder/a.jpg");
  EXPECT_EQ(pictures[3].FileName, "/home/anna/Bilder/b.jpg");
  for (const album::AlbumPicture& p : pictures) {
    EXPECT_EQ(p.ShowComment, 1);
    EXPECT_EQ(p.Marked, 1);
    EXPECT_FALSE(p.Comment.has_value());
  }
  // The favourites hear of the folder once per added name, with its delimiter.
  EXPECT_EQ(favourites, std::vector<std::string>(3, "/home/anna/Bilder/"));
}

TEST(AddSelectedNames, FolderEndingWithDelimiterIsNotDoubled) {
  album::AlbumPictures pictures;
  album::AddSelectedNames(pictures, "/", {"a.jpg"}, nullptr);
  EXPECT_EQ(pictures[0].FileName, "/a.jpg");
}

TEST(AddSelectedNames, SameFileTwiceGivesTwoEntries) {
  album::AlbumPictures pictures;
  album::AddSelectedNames(pictures, "/b", {"a.jpg"}, nullptr);
  AddSelectedNames(pictures, "/b", {"a.jpg"}, nullptr);
  EXPECT_EQ(album::PictureCount(pictures), 2);
}

TEST(AddSelectedNames, NothingSelectedOrNoFolderPathAddsNothing) {
  album::AlbumPictures pictures;
  int calls = 0;
  album::AddSelectedNames(pictures, "/b", {}, [&](const std::string&) { ++calls; });
  AddSelectedNames(pictures, "", {"a.jpg"}, [&](const std::string&) { ++calls; });
  AddSelectedNames(pictures, "/b", {".."}, [&](const std::string&) { ++calls; });
  EXPECT_TRUE(pictures.empty());
  EXPECT_EQ(calls, 0);
}

TEST(RemoveSelected, LinesOneAndThreeOfFiveLeaveTheOthersInOrder) {
  album::AlbumPictures pictures = FivePictures();
  pictures[2].Comment = "zwei";
  album::RemoveSelected(pictures, {1, 3});
  EXPECT_EQ(Names(pictures), (std::vector<std::string>{"p0.jpg", "p2.jpg", "p4.jpg"}));
  EXPECT_EQ(pictures[1].Comment, "zwei");
}

TEST(RemoveSelected, SelectionOrderDuplicatesAndStrayIndicesDoNotMatter) {
  album::AlbumPictures pictures = FivePictures();
  album::RemoveSelected(pictures, {3, 1, 3, -1, 5, 99});
  EXPECT_EQ(Names(pictures), (std::vector<std::string>{"p0.jpg", "p2.jpg", "p4.jpg"}));
}

TEST(RemoveSelected, RemovingAllLeavesNoStorage) {
  album::AlbumPictures pictures = FivePictures();
  album::RemoveSelected(pictures, {0, 1, 2, 3, 4});
  EXPECT_EQ(album::PictureCount(pictures), 0);
  EXPECT_EQ(pictures.capacity(), 0u);
}

TEST(DelallPics, EmptiesTheListAndLeavesAnEmptyOneAlone) {
  album::AlbumPictures pictures = FivePictures();
  album::DelallPics(pictures);
  EXPECT_EQ(pictures.capacity(), 0u);
  DelallPics(pictures);
  EXPECT_TRUE(pictures.empty());
}

TEST(MoveEntries, DownThreeTimesTakesTheFirstToTheFourthPlace) {
  album::AlbumPictures pictures = FivePictures();
  pictures[0].Comment = "erstes";
  pictures[0].ShowComment = 0;
  int current = 0;
  for (int expected : {1, 2, 3}) {
    const std::optional<int> next = album::DownNow(pictures, current);
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, expected);
    current = *next;
  }
  EXPECT_EQ(Names(pictures), (std::vector<std::string>{"p1.jpg", "p2.jpg", "p3.jpg", "p0.jpg", "p4.jpg"}));
  EXPECT_EQ(pictures[3].Comment, "erstes");
  EXPECT_EQ(pictures[3].ShowComment, 0);
}

TEST(MoveEntries, UpSwapsWithThePreviousEntry) {
  album::AlbumPictures pictures = FivePictures();
  EXPECT_EQ(album::UpNow(pictures, 4), 3);
  EXPECT_EQ(Names(pictures)[3], "p4.jpg");
  EXPECT_EQ(Names(pictures)[4], "p3.jpg");
}

TEST(MoveEntries, BoundsDoNothing) {
  album::AlbumPictures pictures = FivePictures();
  const album::AlbumPictures before = pictures;
  EXPECT_FALSE(album::UpNow(pictures, 0));
  EXPECT_FALSE(album::UpNow(pictures, -1));
  EXPECT_FALSE(album::UpNow(pictures, 5));
  EXPECT_FALSE(album::DownNow(pictures, 4));
  EXPECT_FALSE(album::DownNow(pictures, -1));
  EXPECT_EQ(pictures, before);
  album::AlbumPictures empty;
  EXPECT_FALSE(album::UpNow(empty, 0));
  EXPECT_FALSE(album::DownNow(empty, 0));
}

TEST(LineText, ShowsOnlyTheFileName) {
  album::AlbumPictures pictures;
  album::AddSelectedNames(pictures, "/a", {"bild.jpg"}, nullptr);
  AddSelectedNames(pictures, "/b/c", {"bild.jpg"}, nullptr);
  EXPECT_EQ(Names(pictures), (std::vector<std::string>{"bild.jpg", "bild.jpg"}));
}
