#include <gtest/gtest.h>

#include "album/AlbumSettings.h"
#include "album/ColourText.h"

TEST(HtmlColourText, RedComesFirstWithUpperCaseDigits) {
  EXPECT_EQ(album::HtmlColourText(0x0000FF), "#FF0000");
  EXPECT_EQ(album::HtmlColourText(0xFF0000), "#0000FF");
  EXPECT_EQ(album::HtmlColourText(0x0A0B0C), "#0C0B0A");
  EXPECT_EQ(album::HtmlColourText(album::kSilver), "#C0C0C0");
  EXPECT_EQ(album::HtmlColourText(album::kWhite), "#FFFFFF");
  EXPECT_EQ(album::HtmlColourText(0xFF123456), "#563412");  // the high byte is no colour
}

TEST(ColourFromHtmlText, ReadsRedGreenBlueInAnyCase) {
  EXPECT_EQ(album::ColourFromHtmlText("#FF0000"), 0x0000FFu);
  EXPECT_EQ(album::ColourFromHtmlText("#0c0b0a"), 0x0A0B0Cu);
  EXPECT_EQ(album::ColourFromHtmlText(""), 0u);
  EXPECT_EQ(album::ColourFromHtmlText("x123456"), 0x563412u);  // the first character is not read
  EXPECT_EQ(album::ColourFromHtmlText("#C0C0C0 "), album::kSilver);
}

TEST(ColourFromHtmlText, RefusesTextThatIsNotHexadecimal) {
  EXPECT_FALSE(album::ColourFromHtmlText("#GG0000"));
  EXPECT_FALSE(album::ColourFromHtmlText("#12345"));
  EXPECT_FALSE(album::ColourFromHtmlText("#"));
  EXPECT_FALSE(album::ColourFromHtmlText("#12 456"));
  EXPECT_FALSE(album::ColourFromHtmlText("rot"));
}

TEST(ColourChoice, ValueAndTextStayInStep) {
  album::ColourChoice choice;
  EXPECT_EQ(choice.HTMLcolor(), "#000000");
  EXPECT_TRUE(choice.SetHTMLcolor("#c0c0c0"));
  EXPECT_EQ(choice.ColorValue(), album::kSilver);
  EXPECT_EQ(choice.HTMLcolor(), "#C0C0C0");
  choice.SetColorValue(0x0000FF);
  EXPECT_EQ(choice.HTMLcolor(), "#FF0000");
}

TEST(ColourChoice, TextThatIsNotHexadecimalLeavesThePreviousText) {
  album::ColourChoice choice(album::kWhite);
  EXPECT_FALSE(choice.SetHTMLcolor("#ZZZZZZ"));
  EXPECT_EQ(choice.HTMLcolor(), "#FFFFFF");
  EXPECT_EQ(choice.ColorValue(), album::kWhite);
}

TEST(AlbumSettings, DefaultsOfANewAlbum) {
  const album::AlbumSettings s;
  EXPECT_EQ(s.Caption, "Web Lumivista");
  EXPECT_EQ(s.FreeText.size(), 61u);
  EXPECT_EQ(s.PicturesPerRow, 5);
  EXPECT_EQ(s.ThumbWidth, 90);
  EXPECT_EQ(s.ThumbHeight, 90);
  EXPECT_EQ(s.Border, 3);
  EXPECT_EQ(s.DetailBorder, 3);
  EXPECT_EQ(album::HtmlColourText(s.BackgroundColour), "#C0C0C0");
  EXPECT_EQ(album::HtmlColourText(s.BackgroundColour2), "#FFFFFF");
  EXPECT_TRUE(s.Backlink);
}

TEST(AlbumSettings, ValuesOutsideTheirRangeGoToTheNearestBound) {
  album::AlbumSettings s;
  s.PicturesPerRow = 0;
  s.ThumbWidth = 5000;
  s.ThumbHeight = -7;
  s.Border = 11;
  s.DetailBorder = -1;
  album::BringIntoRange(s);
  EXPECT_EQ(s.PicturesPerRow, 1);
  EXPECT_EQ(s.ThumbWidth, 1000);
  EXPECT_EQ(s.ThumbHeight, 1);
  EXPECT_EQ(s.Border, 10);
  EXPECT_EQ(s.DetailBorder, 0);
  album::AlbumSettings inside;
  inside.PicturesPerRow = 50;
  album::BringIntoRange(inside);
  EXPECT_EQ(inside.PicturesPerRow, 50);
}
