// Design sets read from several folders: the shipped designs and the user's.
#include <gtest/gtest.h>

#include "generator/TemplateSets.h"
#include "support/TempFolder.h"

namespace {

struct TwoFolders {
  TempFolder dir;
  generator::TemplateFolders folders{dir.Path("shipped"), dir.Path("user")};
  TwoFolders() {
    for (const char* set :
         {"shipped/Modern/", "shipped/Klassisch/", "shipped/Schlicht/", "user/Modern/", "user/eigenes/"})
      dir.Write(std::string(set) + "detail.htm", set);
    dir.Write("user/notiz.txt", "a file, not a set");
  }
};

}  // namespace

TEST(TemplateLookup, SetsOfBothFoldersAreListedTogetherInNameOrder) {
  TwoFolders two;
  EXPECT_EQ(generator::TemplateSetNames(two.folders),
            (std::vector<std::string>{"eigenes", "Klassisch", "Modern", "Schlicht"}));
  // A user folder that does not exist yet changes nothing.
  EXPECT_EQ(generator::TemplateSetNames(generator::TemplateFolders{two.dir.Path("shipped"), two.dir.Path("missing")}),
            (std::vector<std::string>{"Klassisch", "Modern", "Schlicht"}));
  EXPECT_TRUE(generator::TemplateSetNames(generator::TemplateFolders{}).empty());
}

TEST(TemplateLookup, AUserSetReplacesTheShippedOneOfTheSameName) {
  TwoFolders two;
  EXPECT_EQ(generator::TemplateSetFolder(two.folders, "Modern"), two.dir.Path("user/Modern/"));
  EXPECT_EQ(generator::TemplateSetFolder(two.folders, "Klassisch"), two.dir.Path("shipped/Klassisch/"));
  EXPECT_EQ(generator::TemplateSetFolder(two.folders, "eigenes"), two.dir.Path("user/eigenes/"));
  // Names compare exactly, as the file system does.
  EXPECT_EQ(generator::TemplateSetFolder(two.folders, "modern"), two.dir.Path("shipped/modern/"));
}

TEST(TemplateLookup, UnknownAndEmptyNamesPointIntoTheFirstFolder) {
  TwoFolders two;
  // Reading a fragment from there fails with a full path naming the set.
  EXPECT_EQ(generator::TemplateSetFolder(two.folders, "Fehlt"), two.dir.Path("shipped/Fehlt/"));
  EXPECT_EQ(generator::TemplateSetFolder(two.folders, ""), two.dir.Path("shipped") + "//");
  EXPECT_EQ(generator::TemplateSetFolder(generator::TemplateFolders{}, "Modern"), "Modern/");
}
