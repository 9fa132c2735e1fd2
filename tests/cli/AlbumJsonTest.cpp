#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "cli/AlbumJson.h"

namespace {

struct Parsed {
  bool ok;
  album::AlbumPictures pictures;
  album::AlbumSettings settings;
  std::string error;
};

Parsed Parse(const std::string& text) {
  Parsed p{false, {}, {}, {}};
  album::AlbumPicture before;
  before.FileName = "/vorher.jpg";
  p.pictures.push_back(before);
  p.ok = cli::AlbumFromJson(cli::Json::parse(text), p.pictures, p.settings, p.error);
  return p;
}

}  // namespace

TEST(AlbumFromJson, MissingFieldsTakeTheDefaults) {
  const Parsed p = Parse(R"({"pictures": [{"file": "/b/x.jpg"}]})");
  ASSERT_TRUE(p.ok) << p.error;
  ASSERT_EQ(album::PictureCount(p.pictures), 1);
  EXPECT_EQ(p.pictures[0].FileName, "/b/x.jpg");
  EXPECT_EQ(p.pictures[0].ShowComment, 1);
  EXPECT_EQ(p.pictures[0].Marked, 1);
  EXPECT_FALSE(p.pictures[0].Comment.has_value());
  EXPECT_EQ(p.settings, album::AlbumSettings());
  EXPECT_TRUE(Parse("{}").pictures.empty());
}

TEST(AlbumFromJson, NullCommentIsNoneAndEmptyStaysEmpty) {
  const Parsed p = Parse(R"({"pictures": [{"file": "/a", "comment": null}, {"file": "/b", "comment": ""}]})");
  ASSERT_TRUE(p.ok);
  EXPECT_FALSE(p.pictures[0].Comment.has_value());
  EXPECT_EQ(p.pictures[1].Comment, std::optional<std::string>(""));
}

TEST(AlbumFromJson, TextsBecomeWindows1252WithCrLfLineBreaks) {
  const Parsed p = Parse(R"({"pictures": [{"file": "/\u00e4.jpg", "comment": "Stra\u00dfe\nzwei"}],
                            "settings": {"caption": "\u00dcbersicht", "free_text": "5 \u20ac"}})");
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.pictures[0].FileName, "/\xE4.jpg");
  EXPECT_EQ(p.pictures[0].Comment,
            "Stra\xDF"
            "e\r\nzwei");
  EXPECT_EQ(p.settings.Caption,
            "\xDC"
            "bersicht");
  EXPECT_EQ(p.settings.FreeText, "5 \x80");
}

// Windows-1252 has no byte for these; stored as '?', a path could name another file.
TEST(AlbumFromJson, TextWindows1252CannotHoldIsRefusedByName) {
  const struct {
    const char* document;
    const char* named;
  } cases[] = {
      {R"({"pictures": [{"file": "/Urlaub \ud83d\ude00.jpg"}]})", "\"/Urlaub \xF0\x9F\x98\x80.jpg\""},
      {R"({"pictures": [{"file": "/a.jpg", "comment": "\u4f60\u597d"}]})", "\"\xE4\xBD\xA0\xE5\xA5\xBD\" (comment)"},
      {R"({"settings": {"caption": "\u65e5"}})", "(caption)"},
      {R"({"settings": {"free_text": "a\u0100"}})", "(free_text)"},
      {R"({"settings": {"detail_caption": "\u2603"}})", "(detail_caption)"},
  };
  for (const auto& c : cases) {
    const Parsed p = Parse(c.document);
    EXPECT_FALSE(p.ok) << c.document;
    EXPECT_NE(p.error.find(c.named), std::string::npos) << p.error;
    EXPECT_NE(p.error.find("Windows-1252"), std::string::npos) << p.error;
    EXPECT_EQ(p.pictures[0].FileName, "/vorher.jpg");
    EXPECT_EQ(p.settings, album::AlbumSettings());
  }
}

TEST(AlbumFromJson, RelativeFileNamesAreMadeAbsolute) {
  const Parsed p = Parse(R"({"pictures": [{"file": "a.jpg"}, {"file": "./b/../c.jpg"}, {"file": ""}]})");
  ASSERT_TRUE(p.ok);
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(p.pictures[0].FileName, cwd + "/a.jpg");
  EXPECT_EQ(p.pictures[1].FileName, cwd + "/c.jpg");
  EXPECT_EQ(p.pictures[2].FileName, "");
}

TEST(AlbumFromJson, NumbersAreTruncatedAndBroughtIntoRange) {
  const Parsed p = Parse(R"({"settings": {"per_row": 7.9, "thumb_width": 99999999999999999999,
                                           "thumb_height": -3, "border": 1e300, "detail_border": -0.5}})");
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.settings.PicturesPerRow, 7);
  EXPECT_EQ(p.settings.ThumbWidth, 1000);
  EXPECT_EQ(p.settings.ThumbHeight, 1);
  EXPECT_EQ(p.settings.Border, 10);
  EXPECT_EQ(p.settings.DetailBorder, 0);
}

TEST(AlbumFromJson, WrongShapesAreRefusedAndChangeNothing) {
  const char* documents[] = {
      "[]",
      R"({"pictures": {}})",
      R"({"pictures": ["/a.jpg"]})",
      R"({"pictures": [{"comment": "ohne Datei"}]})",
      R"({"pictures": [{"file": "/a", "comment": 3}]})",
      R"({"pictures": [{"file": "/a", "marked": "ja"}]})",
      R"({"pictures": [{"file": "/a", "show_comment": 1}]})",
      R"({"settings": []})",
      R"({"settings": {"caption": 1}})",
      R"({"settings": {"per_row": "5"}})",
      R"({"settings": {"bgcolor": "#12345"}})",
      R"({"settings": {"bgcolor2": 255}})",
      R"({"pictures": [{"file": "/ok.jpg"}], "settings": {"border": null}})",
  };
  for (const char* document : documents) {
    const Parsed p = Parse(document);
    EXPECT_FALSE(p.ok) << document;
    EXPECT_FALSE(p.error.empty()) << document;
    ASSERT_EQ(album::PictureCount(p.pictures), 1) << document;
    EXPECT_EQ(p.pictures[0].FileName, "/vorher.jpg");
    EXPECT_EQ(p.settings, album::AlbumSettings());
  }
}

TEST(AlbumToJson, WritesTheDocumentedForm) {
  album::AlbumPictures pictures(2);
  pictures[0].FileName = "/b/\xE4.jpg";
  pictures[0].Comment = "Hi";
  pictures[1].FileName = "/b/x.jpg";
  pictures[1].Marked = 0;
  album::AlbumSettings settings;
  settings.BackgroundColour = 0x0000FF;
  const cli::Json document = cli::AlbumToJson(pictures, settings);
  EXPECT_EQ(document["pictures"][0]["file"], "/b/\xC3\xA4.jpg");
  EXPECT_EQ(document["pictures"][0]["comment"], "Hi");
  EXPECT_TRUE(document["pictures"][1]["comment"].is_null());
  EXPECT_EQ(document["pictures"][1]["marked"], false);
  EXPECT_EQ(document["pictures"][1]["show_comment"], true);
  EXPECT_EQ(document["settings"]["bgcolor"], "#FF0000");
  EXPECT_EQ(document["settings"]["per_row"], 5);
  EXPECT_EQ(document["settings"]["free_text"],
            "Klicken Sie auf die Bilder, um sie in Originalgr\xC3\xB6\xC3\x9F"
            "e zu sehen.");
  // What it writes it reads back unchanged.
  album::AlbumPictures read;
  album::AlbumSettings readSettings;
  std::string error;
  ASSERT_TRUE(cli::AlbumFromJson(document, read, readSettings, error));
  EXPECT_EQ(read, pictures);
  EXPECT_EQ(readSettings, settings);
}
