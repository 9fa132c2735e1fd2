#include <gtest/gtest.h>

#include "generator/Fragments.h"
#include "generator/OutputNames.h"
#include "generator/TemplateSets.h"
#include "generator/ThumbnailSize.h"
#include "support/RecordingMessages.h"
#include "support/TempFolder.h"

TEST(FragmentText, LineBreaksBecomeCrLf) {
  EXPECT_EQ(generator::FragmentText("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd\r\n");
  EXPECT_EQ(generator::FragmentText("a\r\nb\r\n"), generator::FragmentText("a\r\nb"));
  EXPECT_EQ(generator::FragmentText("a\n\n"), "a\r\n\r\n");
  EXPECT_EQ(generator::FragmentText("\r\r\n"), "\r\n\r\n");
  EXPECT_EQ(generator::FragmentText(""), "");
  EXPECT_EQ(generator::FragmentText("\n"), "\r\n");
}

TEST(FragmentText, NulEndsTheText) {
  EXPECT_EQ(generator::FragmentText(std::string("ab\0cd\n", 6)), "ab\r\n");
  EXPECT_EQ(generator::FragmentText(std::string("\0x", 2)), "");
}

TEST(TemplateSets, FoldersOnlySortedIgnoringCase) {
  TempFolder dir;
  for (const char* name : {"modern", "Klassisch", "b", "Alpha"}) std::filesystem::create_directories(dir.Root() / name);
  dir.Write("Zettel.txt", "x");
  dir.Write("aaa.htm", "x");
  EXPECT_EQ(generator::TemplateSetNames(dir.Path()), (std::vector<std::string>{"Alpha", "b", "Klassisch", "modern"}));
  EXPECT_TRUE(generator::TemplateSetNames(dir.Path("missing")).empty());
}

TEST(TemplateSets, FragmentPathOfASet) {
  EXPECT_EQ(generator::TemplateSetFolder("/p/template", "Modern"), "/p/template/Modern/");
  EXPECT_EQ(generator::TemplateSetFolder("/p/template", ""), "/p/template//");
}

TEST(TemplateSets, MissingFragmentNamesItsFullPath) {
  TempFolder dir;
  for (size_t i = 0; i < generator::kFragmentCount; ++i)
    if (static_cast<generator::Fragment>(i) != generator::Fragment::MainLoopEmpty)
      dir.Write(generator::FragmentFileName(static_cast<generator::Fragment>(i)), "x");
  RecordingMessages messages;
  EXPECT_FALSE(generator::ReadTemplateFragments(dir.Path() + "/", messages));
  ASSERT_EQ(messages.Lines().size(), 1u);
  EXPECT_EQ(messages.Lines()[0], "[title] Datei " + dir.Path() +
                                     "/mainloopempty.htm kann nicht ge\xF6"
                                     "ffnet werden.");

  dir.Write("mainloopempty.htm", "");
  messages.Calls.clear();
  const auto fragments = generator::ReadTemplateFragments(dir.Path() + "/", messages);
  ASSERT_TRUE(fragments);
  EXPECT_TRUE(messages.Lines().empty());
  EXPECT_EQ((*fragments)[generator::Fragment::MainLoopEmpty], "");
  EXPECT_EQ((*fragments)[generator::Fragment::DetailOverviewLink], "x\r\n");
}

TEST(OutputNames, BaseKeepsAsciiLettersAndDigits) {
  EXPECT_EQ(generator::NameBase("/home/a/Urlaub am Meer (2).JPG"), "UrlaubamMeer2");
  EXPECT_EQ(generator::NameBase("/x.y/Bild 1.png"), "Bild1");
  EXPECT_EQ(generator::NameBase("/a/\xC4\xD6 -_.jpg"), "");
  EXPECT_EQ(generator::NameBase("/a/ohne Punkt"), "ohnePunkt");
  EXPECT_EQ(generator::NameBase("/a/v1.2.tar.gz"), "v12tar");
  EXPECT_EQ(generator::NameBase("/a/../..//etc"), "etc");
}

TEST(OutputNames, NumbersFromZeroPerFolder) {
  TempFolder dir;
  const std::string f = dir.Path() + "/";
  EXPECT_EQ(generator::FreeName(f, "Bild", ".htm"), "Bild.htm");
  ASSERT_EQ(generator::CreateEmptyFile(f + "Bild.htm"), platform::PublishOutcome::Published);
  EXPECT_EQ(generator::CreateEmptyFile(f + "Bild.htm"), platform::PublishOutcome::NameTaken);
  EXPECT_EQ(generator::FreeName(f, "Bild", ".htm"), "Bild0.htm");
  EXPECT_EQ(generator::FreeName(f, "Bild", ".jpg"), "Bild.jpg");
  std::filesystem::create_directories(dir.Root() / "Bild0.htm");  // a folder is in the way too
  EXPECT_EQ(generator::FreeName(f, "Bild", ".htm"), "Bild1.htm");
  // An empty base never makes a hidden name: it is numbered from 0.
  EXPECT_EQ(generator::FreeName(f, "", ".htm"), "0.htm");
  ASSERT_EQ(generator::CreateEmptyFile(f + "0.htm"), platform::PublishOutcome::Published);
  EXPECT_EQ(generator::FreeName(f, "", ".htm"), "1.htm");
}

TEST(ThumbnailSize, FitsTheBoxKeepingProportions) {
  EXPECT_EQ(generator::ThumbnailSize(1600, 1200, 90, 90).Width, 90);
  EXPECT_EQ(generator::ThumbnailSize(1600, 1200, 90, 90).Height, 67);
  EXPECT_EQ(generator::ThumbnailSize(1200, 1600, 90, 90).Width, 67);
  EXPECT_EQ(generator::ThumbnailSize(1200, 1600, 90, 90).Height, 90);
  EXPECT_EQ(generator::ThumbnailSize(60, 40, 90, 90).Width, 90);
  EXPECT_EQ(generator::ThumbnailSize(60, 40, 90, 90).Height, 60);
  EXPECT_EQ(generator::ThumbnailSize(100, 100, 120, 80).Width, 80);
  // A height exactly the box height fits: the width stays the box width.
  EXPECT_EQ(generator::ThumbnailSize(1000, 667, 90, 60).Width, 90);
  EXPECT_EQ(generator::ThumbnailSize(1000, 667, 90, 60).Height, 60);
}

TEST(ThumbnailSize, NoSideBelowOneAndNoOverflow) {
  EXPECT_EQ(generator::ThumbnailSize(3000, 20, 90, 90).Height, 1);
  EXPECT_EQ(generator::ThumbnailSize(3000, 20, 90, 90).Width, 90);
  EXPECT_EQ(generator::ThumbnailSize(20, 3000, 90, 90).Width, 1);
  EXPECT_EQ(generator::ThumbnailSize(20, 3000, 90, 90).Height, 90);
  // 1000 * 2,600,000 does not fit in 32 bits.
  EXPECT_EQ(generator::ThumbnailSize(100, 2600000, 1000, 1000).Height, 1000);
  EXPECT_EQ(generator::ThumbnailSize(100, 2600000, 1000, 1000).Width, 1);
  EXPECT_EQ(generator::ThumbnailSize(2600000, 100, 1000, 1000).Width, 1000);
}
