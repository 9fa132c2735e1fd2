#include <gtest/gtest.h>

#include "platform/Cp1252.h"

using platform::AnsiToUtf8;
using platform::Utf8ToAnsi;

TEST(Cp1252, UmlautsAndEuroSurviveTheRoundTrip) {
  const std::string ansi = "Gr\xFC\xDF\x65 \x80 \xC4\xD6\xDC\xE4\xF6";
  EXPECT_EQ(AnsiToUtf8(ansi), "Grüße € ÄÖÜäö");
  EXPECT_EQ(Utf8ToAnsi("Grüße € ÄÖÜäö"), ansi);
}

TEST(Cp1252, EveryByteRoundTrips) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(Cp1252, TypographicQuotesUseTheHighControlRange) {
  EXPECT_EQ(Utf8ToAnsi("„Hallo“ – ‚x‘"), "\x84Hallo\x93 \x96 \x82x\x91");
}

TEST(Cp1252, UnrepresentableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToAnsi("写真.jpg"), "??.jpg");
  EXPECT_EQ(Utf8ToAnsi("a😀b"), "a?b");
}

TEST(Cp1252, MalformedUtf8NeverYieldsHiddenAscii) {
  EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "??");      // overlong "/"
  EXPECT_EQ(Utf8ToAnsi("ab\xE2\x82"), "ab??");  // truncated sequence
  EXPECT_EQ(Utf8ToAnsi("\xFF"), "?");
}

TEST(Cp1252, FitsAnsiTellsWhichTextSurvivesUnchanged) {
  EXPECT_TRUE(
      platform::FitsAnsi("Gr\xC3\xBC\xC3\x9F"
                         "e \xE2\x82\xAC 100? \xE2\x80\x9Eja\xE2\x80\x9C"));
  EXPECT_TRUE(platform::FitsAnsi(""));
  EXPECT_FALSE(platform::FitsAnsi("Urlaub \xF0\x9F\x98\x80.jpg"));  // emoji
  EXPECT_FALSE(platform::FitsAnsi("\xE4\xB8\xAD.jpg"));             // Chinese
  EXPECT_FALSE(platform::FitsAnsi("a\xC3"));                        // truncated sequence
  EXPECT_FALSE(platform::FitsAnsi("\xC0\xAF"));                     // overlong "/"
}
