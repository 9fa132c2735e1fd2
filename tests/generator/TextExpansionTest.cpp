#include <gtest/gtest.h>

#include <string>

#include "generator/HtmlText.h"
#include "generator/PageTables.h"
#include "generator/Placeholders.h"

TEST(TextToHtml, ReplacesOnlyTheSevenGermanLetters) {
  EXPECT_EQ(generator::TextToHtml("Stra\xDF"
                                  "e"),
            "Stra&szlig;e");
  EXPECT_EQ(generator::TextToHtml("Gr\xF6\xDF"
                                  "e <b>"),
            "Gr&ouml;&szlig;e <b>");
  EXPECT_EQ(generator::TextToHtml("\xC4\xD6\xDC\xE4\xF6\xFC\xDF"), "&Auml;&Ouml;&Uuml;&auml;&ouml;&uuml;&szlig;");
  EXPECT_EQ(generator::TextToHtml("a & \"b\" <i>\r\n\xE9\x80"), "a & \"b\" <i>\r\n\xE9\x80");
  EXPECT_EQ(generator::TextToHtml(""), "");
}

TEST(ReplacePlaceholders, ReplacesEveryOccurrenceOfEveryKey) {
  generator::PlaceholderTable t;
  t.Add("%%A%%", "1");
  t.Add("%%B%%", "");
  EXPECT_EQ(generator::ReplacePlaceholders("%%A%%-%%B%%-%%A%%x%%A%%", t), "1--1x1");
  EXPECT_EQ(generator::ReplacePlaceholders("%%a%% %%C%% %%A", t), "%%a%% %%C%% %%A");
  EXPECT_EQ(generator::ReplacePlaceholders("", t), "");
}

TEST(ReplacePlaceholders, ValuesAreSearchedForLaterKeysOnly) {
  const generator::PlaceholderTable overview = generator::OverviewTable([] {
    album::AlbumSettings s;
    s.Caption = "Rand %%BORDER%% und %%POWERED%% und %%CAPTION%%";
    s.Border = 7;
    return s;
  }());
  EXPECT_EQ(generator::ReplacePlaceholders("<h1>%%CAPTION%%</h1>", overview),
            "<h1>Rand 7 und %%POWERED%% und %%CAPTION%%</h1>");
}

TEST(ReplacePlaceholders, ValueHoldingItsOwnKeyEnds) {
  generator::PlaceholderTable t;
  t.Add("%%CAPTION%%", "%%CAPTION%%");
  EXPECT_EQ(generator::ReplacePlaceholders("a%%CAPTION%%b%%CAPTION%%", t), "a%%CAPTION%%b%%CAPTION%%");
  generator::PlaceholderTable u;
  u.Add("%%C%%", "<%%C%%>");
  EXPECT_EQ(generator::ReplacePlaceholders("%%C%%%%C%%", u), "<%%C%%><%%C%%>");
}

TEST(ReplacePlaceholders, KeyCompletedByTextAroundTheValueIsReplacedAgain) {
  // The search starts again at the left after each replacement, so a value
  // that completes a key with the text in front of or behind it counts.
  generator::PlaceholderTable t;
  t.Add("%%K%%", "%");
  EXPECT_EQ(generator::ReplacePlaceholders("%%K%%%K%%", t), "%");
  generator::PlaceholderTable u;
  u.Add("%%K%%", "K%%");
  EXPECT_EQ(generator::ReplacePlaceholders("%%%%K%%", u), "K%%");
}

TEST(ReplacePlaceholders, ValueThatKeepsRebuildingItsKeyEnds) {
  // "ab" -> "bbaa" never contains "ab", yet restarting at the left after
  // each replacement would grow "aab" forever.
  const std::string result = generator::ReplacePlaceholders("aab", {"ab"}, {"bbaa"});
  EXPECT_LT(result.size(), 200u);
  EXPECT_NE(result.find("bbaa"), std::string::npos);
}

TEST(ReplacePlaceholders, ThousandsOfKeysInALongText) {
  generator::PlaceholderTable t;
  t.Add("%%MINIPICSRC%%", "./mini/Bild.jpg");
  std::string text, expected;
  for (int i = 0; i < 50000; ++i) {
    text += "<img src=\"%%MINIPICSRC%%\"> 100% ";
    expected += "<img src=\"./mini/Bild.jpg\"> 100% ";
  }
  EXPECT_EQ(generator::ReplacePlaceholders(text, t), expected);
}

TEST(PageTables, OverviewTableOrderAndValues) {
  album::AlbumSettings s;
  s.Caption =
      "\xDC"
      "berblick";
  s.BackgroundColour = 0x0000FF;  // red in the low byte
  s.BackgroundColour2 = 0xFF0000;
  s.ThumbWidth = 120;
  const generator::PlaceholderTable t = generator::OverviewTable(s);
  ASSERT_EQ(t.Keys.size(), 9u);
  EXPECT_EQ(t.Keys,
            (std::vector<std::string>{"%%POWERED%%", "%%BGCOLOR%%", "%%BGCOLOR2%%", "%%CAPTION%%", "%%FREETEXT%%",
                                      "%%BORDER%%", "%%PICWIDTH%%", "%%BIGHTMLSRC%%", "%%MINIPICSRC%%"}));
  EXPECT_EQ(t.Values[0], "<p><a href=\"https://www.example.org/web-lumivista/\">Powered by Vendrix Web Lumivista.</a>");
  EXPECT_EQ(t.Values[1], "#FF0000");
  EXPECT_EQ(t.Values[2], "#0000FF");
  EXPECT_EQ(t.Values[3], "&Uuml;berblick");
  EXPECT_EQ(t.Values[4], "Klicken Sie auf die Bilder, um sie in Originalgr&ouml;&szlig;e zu sehen.");
  EXPECT_EQ(t.Values[5], "3");
  EXPECT_EQ(t.Values[6], "120");
  EXPECT_EQ(t.Values[7], "");
  s.Backlink = false;
  EXPECT_EQ(generator::OverviewTable(s).Values[0], "");
}

TEST(PageTables, DetailTableUsesDetailSettingsAndNeighbours) {
  album::AlbumSettings s;
  s.DetailBorder = 9;
  s.DetailCaption =
      "S\xFC"
      "d";
  album::AlbumPictures pics(3);
  generator::RunOutputs names(3);
  for (int i = 0; i < 3; ++i)
    names[i][generator::OutputKind::Page] = std::string("p").append(std::to_string(i)).append(".htm");
  names[1][generator::OutputKind::Copy] = "b.jpg";
  pics[1].Comment = "sch\xF6n\r\n<b>";
  const generator::PlaceholderTable t = generator::DetailLinkTable(s, pics, names, 1, "index.htm");
  EXPECT_EQ(t.Keys,
            (std::vector<std::string>{"%%BGCOLOR%%", "%%BGCOLOR2%%", "%%CAPTION2%%", "%%COMMENT%%", "%%BORDER%%",
                                      "%%BIGPICSRC%%", "%%NEXTPICLINK%%", "%%PREVPICLINK%%", "%%OVERVIEWLINK%%"}));
  EXPECT_EQ(t.Values, (std::vector<std::string>{"#C0C0C0", "#FFFFFF", "S&uuml;d", "sch&ouml;n\r\n<b>", "9",
                                                "../pics/b.jpg", "p2.htm", "p0.htm", "../index.htm"}));
  pics[1].ShowComment = 0;
  EXPECT_EQ(generator::DetailLinkTable(s, pics, names, 1, "index.htm").Values[3], "");
  EXPECT_EQ(generator::DetailLinkTable(s, pics, names, 0, "i.htm").Values[7], "");
  EXPECT_EQ(generator::DetailLinkTable(s, pics, names, 2, "i.htm").Values[6], "");
}
