#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/logic/Favourites.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

using app::AddFavourite;
using app::ParseFavouritesFile;
using Items = std::vector<std::string>;

TEST(Favourites, ARecentFolderMovesToTheTop) {
  Items items;
  AddFavourite(items, "/A/");
  AddFavourite(items, "/B/");
  AddFavourite(items, "/A/");
  EXPECT_EQ(items, (Items{"/A/", "/B/"}));
  AddFavourite(items, "/A/");
  EXPECT_EQ(items, (Items{"/A/", "/B/"}));
}

TEST(Favourites, OnlyTheExactlyEqualItemMoves) {
  Items items{"/x/", "/C/A/", "/c/a/"};
  AddFavourite(items, "/c/a/");
  EXPECT_EQ(items, (Items{"/c/a/", "/x/", "/C/A/"}));
}

TEST(Favourites, OfTwoDuplicatesOnlyTheLowerIsRemoved) {
  Items items{"/A/", "/B/", "/A/"};
  AddFavourite(items, "/A/");
  EXPECT_EQ(items, (Items{"/A/", "/A/", "/B/"}));
}

TEST(Favourites, FileLinesSplitLikeATextFile) {
  EXPECT_EQ(ParseFavouritesFile(""), Items{});
  EXPECT_EQ(ParseFavouritesFile("/a/\r\n/b/\r\n"), (Items{"/a/", "/b/"}));
  EXPECT_EQ(ParseFavouritesFile("/a/\n/b/"), (Items{"/a/", "/b/"}));
  EXPECT_EQ(ParseFavouritesFile("/a/\r/b/\r\n\r\n"), (Items{"/a/", "/b/", ""}));
  EXPECT_EQ(ParseFavouritesFile("/a/\r\n/a/\r\n"), (Items{"/a/", "/a/"}));
}

TEST(Favourites, FileHasCrLfLinesAndRoundTrips) {
  const Items items{"/A/",
                    "/Gr\xF6\xDF"
                    "e/"};
  EXPECT_EQ(app::FavouritesFileText(items),
            "/A/\r\n/Gr\xF6\xDF"
            "e/\r\n");
  TempFolder folder;
  ASSERT_TRUE(app::SaveFavourites(folder.Path(), items));
  EXPECT_EQ(app::LoadFavourites(folder.Path()), items);
}

TEST(Favourites, MissingOrUnwritableFile) {
  TempFolder folder;
  EXPECT_TRUE(app::LoadFavourites(folder.Path()).empty());
  EXPECT_FALSE(app::SaveFavourites(folder.Path("missing/"), {"/A/"}));
}

TEST(Favourites, BesideTheBuildTreeProgramButInTheUsersConfigurationOnceInstalled) {
  TempFolder folder;
  folder.MakeFolder("build/template");
  ASSERT_TRUE(app::SaveFavourites(folder.Path("build/"), {"/A/"}));
  EXPECT_EQ(folder.Read("build/folders.dat"), "/A/\r\n");

  folder.MakeFolder("usr/bin");
  folder.MakeFolder("usr/share/web-lumivista/template");
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = previous ? previous : "";
  ::setenv("XDG_CONFIG_HOME", platform::ToFileSystem(folder.Path("config")).c_str(), 1);
  ASSERT_TRUE(app::SaveFavourites(folder.Path("usr/bin/"), {"/B/", "/A/"}));
  EXPECT_EQ(folder.Read("config/web-lumivista/folders.dat"), "/B/\r\n/A/\r\n");
  EXPECT_EQ(app::LoadFavourites(folder.Path("usr/bin/")), (Items{"/B/", "/A/"}));
  EXPECT_TRUE(std::filesystem::is_empty(platform::ToFileSystem(folder.Path("usr/bin"))));
  if (previous)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}
