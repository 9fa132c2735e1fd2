#include <gtest/gtest.h>

#include "album/AlbumList.h"
#include "album/CommentEditor.h"

namespace {

album::AlbumPictures ThreePictures() {
  album::AlbumPictures pictures;
  album::AddSelectedNames(pictures, "/b", {"a.jpg", "b.jpg", "c.jpg"}, nullptr);
  pictures[1].Comment = "Strand";
  pictures[1].ShowComment = 0;
  return pictures;
}

}  // namespace

TEST(CommentControls, ShowTheCurrentEntry) {
  const album::AlbumPictures pictures = ThreePictures();
  const album::CommentControls second = CommentControlsFor(pictures, 1);
  EXPECT_TRUE(second.Enabled);
  EXPECT_EQ(second.ShowComment, false);
  EXPECT_EQ(second.MemoText, "Strand");
  const album::CommentControls first = CommentControlsFor(pictures, 0);
  EXPECT_EQ(first.ShowComment, true);
  EXPECT_EQ(first.MemoText, "");
}

TEST(CommentControls, NoEntryDisablesAndEmptiesButKeepsTheCheck) {
  for (const int current : {-1, 3}) {
    const album::CommentControls controls = CommentControlsFor(ThreePictures(), current);
    EXPECT_FALSE(controls.Enabled);
    EXPECT_FALSE(controls.ShowComment.has_value());
    EXPECT_EQ(controls.MemoText, "");
  }
  EXPECT_FALSE(album::CommentControlsFor({}, 0).Enabled);
}

TEST(CommentEditor, RefreshNeverWritesBack) {
  album::AlbumPictures pictures = ThreePictures();
  const album::AlbumPictures before = pictures;
  album::CommentEditor editor;
  // The controls report their new values while being filled, as widgets do.
  editor.ChangeImageBox(pictures, 0, [&](const album::CommentControls& controls) {
    EXPECT_TRUE(editor.RefreshingComment());
    editor.ShowCommentClick(pictures, {0, 1, 2}, *controls.ShowComment);
    editor.ComMemoChange(pictures, {0, 1, 2}, controls.MemoText);
  });
  EXPECT_FALSE(editor.RefreshingComment());
  EXPECT_EQ(pictures, before);
  EXPECT_FALSE(pictures[0].Comment.has_value());
}

TEST(CommentEditor, RefreshFlagIsClearedWhenFillingFails) {
  album::CommentEditor editor;
  EXPECT_THROW(editor.ChangeImageBox({}, 0, [](const album::CommentControls&) { throw 1; }), int);
  EXPECT_FALSE(editor.RefreshingComment());
}

TEST(CommentEditor, TypingWithThreeSelectedGivesAllTheSameComment) {
  album::AlbumPictures pictures = ThreePictures();
  album::CommentEditor editor;
  // The memo shows the focused entry's comment; one letter is typed.
  editor.ComMemoChange(pictures, {0, 1, 2}, "StrandX");
  for (const album::AlbumPicture& p : pictures) EXPECT_EQ(p.Comment, "StrandX");
  editor.ShowCommentClick(pictures, {0, 1, 2}, false);
  for (const album::AlbumPicture& p : pictures) EXPECT_EQ(p.ShowComment, 0);
}

TEST(CommentEditor, OnlySelectedEntriesChange) {
  album::AlbumPictures pictures = ThreePictures();
  album::CommentEditor editor;
  editor.ComMemoChange(pictures, {2, 7}, "neu");
  editor.ShowCommentClick(pictures, {0, -1}, false);
  EXPECT_FALSE(pictures[0].Comment.has_value());
  EXPECT_EQ(pictures[0].ShowComment, 0);
  EXPECT_EQ(pictures[1].Comment, "Strand");
  EXPECT_EQ(pictures[2].Comment, "neu");
  EXPECT_EQ(pictures[2].ShowComment, 1);
}

TEST(CommentEditor, EditedToEmptyStillHasAComment) {
  album::AlbumPictures pictures = ThreePictures();
  album::CommentEditor editor;
  editor.ComMemoChange(pictures, {0}, "");
  ASSERT_TRUE(pictures[0].Comment.has_value());
  EXPECT_EQ(*pictures[0].Comment, "");
}

TEST(CommentEditor, StoresLineBreaksAsCrLf) {
  album::AlbumPictures pictures = ThreePictures();
  album::CommentEditor editor;
  editor.ComMemoChange(pictures, {0}, "eins\nzwei\r\ndrei\rvier\n");
  EXPECT_EQ(pictures[0].Comment, "eins\r\nzwei\r\ndrei\r\nvier\r\n");
}
