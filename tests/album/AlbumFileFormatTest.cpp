#include <gtest/gtest.h>

#include "album/AlbumFileFormat.h"
#include "album/AlbumList.h"
#include "support/AlbumBytes.h"

using namespace album_bytes;

namespace {

album::AlbumPictures OnePicture(const std::string& fileName, std::optional<std::string> comment) {
  album::AlbumPictures pictures;
  album::AlbumPicture picture;
  picture.FileName = fileName;
  picture.Comment = std::move(comment);
  pictures.push_back(picture);
  return pictures;
}

// The stored name of a single picture, read back from the encoded bytes.
std::string StoredName(const std::string& fileName, const std::string& albumPath) {
  const std::string bytes =
      *album::EncodeAlbumFile(OnePicture(fileName, std::nullopt), album::AlbumSettings(), albumPath);
  const size_t length = static_cast<unsigned char>(bytes[29]);
  return bytes.substr(33, length);
}

}  // namespace

TEST(AlbumFileWriter, WorkedExampleByteForByte) {
  const std::string expected = WorkedExample();
  const std::optional<std::string> bytes = album::EncodeAlbumFile(
      OnePicture("/home/anna/Alben/a.jpg", "Hi"), album::AlbumSettings(), "/home/anna/Alben/urlaub.lva");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 173u);
  EXPECT_EQ(*bytes, expected);
  // Spot checks at the offsets where the fields are documented to start.
  EXPECT_EQ(bytes->substr(70, 4), Int32(13));
  EXPECT_EQ(bytes->substr(87, 4), Int32(61));
  EXPECT_EQ(bytes->substr(152, 4), Int32(13));
  EXPECT_EQ(bytes->substr(169), "\xFF\xFF\xFF" + std::string(1, '\0'));
}

TEST(AlbumFileWriter, OnlyPicturesInTheAlbumsOwnFolderAreStoredBare) {
  EXPECT_EQ(StoredName("/Alben/x.jpg", "/Alben/a.lva"), "x.jpg");
  // Linux file systems tell the case apart, so the full path must stay.
  EXPECT_EQ(StoredName("/ALBEN/x.jpg", "/Alben/a.lva"), "/ALBEN/x.jpg");
  EXPECT_EQ(StoredName("/Alben/Tag1/x.jpg", "/Alben/a.lva"), "/Alben/Tag1/x.jpg");
  EXPECT_EQ(StoredName("/Alb/x.jpg", "/Alben/a.lva"), "/Alb/x.jpg");
}

TEST(AlbumFileWriter, NoCommentIsStoredAsLengthZero) {
  const std::string bytes =
      *album::EncodeAlbumFile(OnePicture("/a/x.jpg", std::nullopt), album::AlbumSettings(), "/a/b.lva");
  EXPECT_EQ(bytes.substr(38, 6), Int32(0) + "\x01\x01");
}

TEST(AlbumFileWriter, ListIsNotChangedBySaving) {
  const album::AlbumPictures pictures = OnePicture("/a/x.jpg", "c");
  const album::AlbumPictures before = pictures;
  album::EncodeAlbumFile(pictures, album::AlbumSettings(), "/a/b.lva");
  EXPECT_EQ(pictures, before);
}

TEST(AlbumFileReader, BareNamesGetTheAlbumFolder) {
  const std::string bytes =
      *album::EncodeAlbumFile(OnePicture("/alt/x.jpg", "Hi"), album::AlbumSettings(), "/alt/a.lva");
  const std::optional<album::LoadedAlbum> album =
      album::DecodeAlbumFile(bytes, "/neu/ort/a.lva", album::AlbumSettings());
  ASSERT_TRUE(album);
  ASSERT_EQ(album::PictureCount(album->Pictures), 1);
  EXPECT_EQ(album->Pictures[0].FileName, "/neu/ort/x.jpg");
  EXPECT_EQ(album->Pictures[0].Comment, "Hi");
}

TEST(AlbumFileReader, EmptyNameStaysEmptyAndEveryEntryHasAComment) {
  const std::string bytes = *album::EncodeAlbumFile(OnePicture("", std::nullopt), album::AlbumSettings(), "/a/b.lva");
  const std::optional<album::LoadedAlbum> album = album::DecodeAlbumFile(bytes, "/a/b.lva", album::AlbumSettings());
  ASSERT_TRUE(album);
  EXPECT_EQ(album->Pictures[0].FileName, "");
  EXPECT_EQ(album->Pictures[0].Comment, std::optional<std::string>(""));
}

TEST(AlbumFileReader, TwoLineCommentComesBackIdentical) {
  const std::string bytes =
      *album::EncodeAlbumFile(OnePicture("/a/x.jpg", "Zeile 1\r\nZeile 2"), album::AlbumSettings(), "/a/b.lva");
  EXPECT_NE(bytes.find("Zeile 1\r\nZeile 2"), std::string::npos);
  EXPECT_EQ(album::DecodeAlbumFile(bytes, "/a/b.lva", album::AlbumSettings())->Pictures[0].Comment,
            "Zeile 1\r\nZeile 2");
}

TEST(AlbumFileReader, FileEndingAfterDetailCaptionKeepsTheSecondColour) {
  const std::string bytes = std::string(album::kAlbumFileHeader) + Int32(0) + DefaultSettings();
  album::AlbumSettings current;
  current.BackgroundColour2 = 0x123456;
  current.Caption = "vorher";
  const std::optional<album::LoadedAlbum> album = album::DecodeAlbumFile(bytes, "/a/b.lva", current);
  ASSERT_TRUE(album);
  EXPECT_EQ(album->Settings.BackgroundColour2, 0x123456u);
  EXPECT_EQ(album->Settings.Caption, "Web Lumivista");
}

TEST(AlbumFileReader, BytesAfterTheSecondColourAreIgnored) {
  const std::string bytes = std::string(album::kAlbumFileHeader) + Int32(0) + DefaultSettings() + Int32(0xFF) + "junk";
  const std::optional<album::LoadedAlbum> album = album::DecodeAlbumFile(bytes, "/a/b.lva", album::AlbumSettings());
  ASSERT_TRUE(album);
  EXPECT_EQ(album->Settings.BackgroundColour2, 0xFFu);
}

TEST(AlbumFileReader, KeepsTheBacklinkWhichIsNotStored) {
  const std::string bytes = *album::EncodeAlbumFile({}, album::AlbumSettings(), "/a/b.lva");
  album::AlbumSettings current;
  current.Backlink = false;
  EXPECT_FALSE(album::DecodeAlbumFile(bytes, "/a/b.lva", current)->Settings.Backlink);
}

TEST(AlbumFileReader, NumbersOutsideTheirRangeGoToTheNearestBound) {
  const std::string bytes = std::string(album::kAlbumFileHeader) + Int32(0) + Int32(0x0000FF) + Int32(5000) +
                            Int32(0xFFFFFFFF) + Int32(0) + Int32(11) + Int32(0x80000000) + Text("a") + Text("b") +
                            Text("c") + Int32(0x00FF00);
  const std::optional<album::LoadedAlbum> album = album::DecodeAlbumFile(bytes, "/a/b.lva", album::AlbumSettings());
  ASSERT_TRUE(album);
  EXPECT_EQ(album->Settings.ThumbWidth, 1000);
  EXPECT_EQ(album->Settings.ThumbHeight, 1);
  EXPECT_EQ(album->Settings.PicturesPerRow, 1);
  EXPECT_EQ(album->Settings.Border, 10);
  EXPECT_EQ(album->Settings.DetailBorder, 0);
  EXPECT_EQ(album->Settings.BackgroundColour, 0x0000FFu);
  EXPECT_EQ(album->Settings.BackgroundColour2, 0x00FF00u);
  EXPECT_EQ(album->Settings.FreeText, "b");
}

TEST(AlbumFileReader, FlagBytesReadAsZeroOrOne) {
  std::string bytes = *album::EncodeAlbumFile(OnePicture("/a/x.jpg", std::nullopt), album::AlbumSettings(), "/a/b.lva");
  bytes[42] = 0;
  bytes[43] = 7;
  const album::AlbumPicture picture = album::DecodeAlbumFile(bytes, "/a/b.lva", album::AlbumSettings())->Pictures[0];
  EXPECT_EQ(picture.ShowComment, 0);
  EXPECT_EQ(picture.Marked, 1);
}

TEST(AlbumFileRoundTrip, SaveLoadSaveIsIdentical) {
  album::AlbumPictures pictures;
  album::AddSelectedNames(pictures, "/alben", {"a.jpg", "\xE4rger.jpg"}, nullptr);
  AddSelectedNames(pictures, "/andere", {"b.png"}, nullptr);
  pictures[0].Comment = "Hi";
  pictures[1].Comment = "zwei\r\nZeilen \xDC";
  pictures[2].ShowComment = 0;
  pictures[2].Marked = 0;
  album::AlbumSettings settings;
  settings.Caption =
      "Gr\xFC\xDF"
      "e";
  settings.BackgroundColour = 0x00FF00;
  settings.PicturesPerRow = 7;
  const std::string first = *album::EncodeAlbumFile(pictures, settings, "/alben/x.lva");
  const std::optional<album::LoadedAlbum> album = album::DecodeAlbumFile(first, "/alben/x.lva", album::AlbumSettings());
  ASSERT_TRUE(album);
  EXPECT_EQ(album->Pictures[1].FileName, "/alben/\xE4rger.jpg");
  EXPECT_EQ(album->Settings, settings);
  EXPECT_EQ(*EncodeAlbumFile(album->Pictures, album->Settings, "/alben/x.lva"), first);
}

// Files that are damaged in a way the reader must refuse as a whole.
TEST(AlbumFileReader, RefusesDamagedFiles) {
  const std::string header(album::kAlbumFileHeader);
  const std::string good = *album::EncodeAlbumFile(OnePicture("/a/x.jpg", "Hi"), album::AlbumSettings(), "/a/b.lva");
  const std::string noPictures = header + Int32(0) + DefaultSettings() + Int32(0xFFFFFF);
  const struct {
    const char* fault;
    std::string bytes;
  } cases[] = {
      {"empty file", ""},
      {"shorter than the header", header.substr(0, 24)},
      {"header in other case", "vendrix Web Lumivista 1.0" + noPictures.substr(25)},
      {"header with another version", "Vendrix Web Lumivista 2.0" + noPictures.substr(25)},
      {"header only", header},
      {"count cut short", header + "\x01\x00"},
      {"negative count", header + Int32(0xFFFFFFFF) + DefaultSettings() + Int32(0)},
      {"count beyond the bytes", header + Int32(0x7FFFFFFF) + DefaultSettings() + Int32(0)},
      {"count one too high", header + Int32(2) + good.substr(29)},
      {"name length beyond the bytes", header + Int32(1) + Int32(1000) + "x.jpg" + good.substr(38)},
      {"negative name length", header + Int32(1) + Int32(0xFFFFFFFB) + good.substr(33)},
      {"negative comment length", good.substr(0, 38) + Int32(0xFFFFFFFF) + good.substr(42)},
      {"ends inside a record", good.substr(0, 44)},
      {"ends after the flags", good.substr(0, 46)},
      {"ends inside the numbers", good.substr(0, 60)},
      {"ends before the detail caption", good.substr(0, 152)},
      {"ends inside the detail caption", good.substr(0, 160)},
      {"ends inside the second colour", good.substr(0, 171)},
  };
  for (const auto& c : cases)
    EXPECT_FALSE(album::DecodeAlbumFile(c.bytes, "/a/b.lva", album::AlbumSettings())) << c.fault;
  EXPECT_TRUE(album::DecodeAlbumFile(good, "/a/b.lva", album::AlbumSettings()));
  EXPECT_TRUE(album::DecodeAlbumFile(noPictures, "/a/b.lva", album::AlbumSettings()));
}

TEST(AlbumFileReader, EveryCutOfTheWorkedExampleButTheOldEndIsRefused) {
  const std::string full = WorkedExample();
  const size_t oldEnd = full.size() - 4;  // files from before the second colour end here
  for (size_t length = 0; length <= full.size(); ++length) {
    const bool complete = length == oldEnd || length == full.size();
    EXPECT_EQ(album::DecodeAlbumFile(full.substr(0, length), "/a/b.lva", album::AlbumSettings()).has_value(), complete)
        << length;
  }
}
