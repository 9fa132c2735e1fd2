#include <gtest/gtest.h>

#include "app/logic/FilterList.h"

using app::FilterEntry;
using app::MaskOfEntry;
using app::MaskPatterns;
using app::ParseFilterText;
using Patterns = std::vector<std::string>;

TEST(FilterList, PairsOfDescriptionAndMask) {
  const auto entries = ParseFilterText("Alle|*.jpg;*.png|JPEG|*.jpg");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Description, "Alle");
  EXPECT_EQ(entries[0].Mask, "*.jpg;*.png");
  EXPECT_EQ(entries[1].Description, "JPEG");
  EXPECT_EQ(entries[1].Mask, "*.jpg");
  EXPECT_TRUE(ParseFilterText("").empty());
  EXPECT_EQ(ParseFilterText("Nur Text").at(0).Mask, "");
}

TEST(FilterList, NoChosenEntryTakesTheLastAndNoEntriesAll) {
  const std::vector<FilterEntry> entries{{"A", "*.a"}, {"B", "*.b"}};
  EXPECT_EQ(MaskOfEntry(entries, 0), "*.a");
  EXPECT_EQ(MaskOfEntry(entries, -1), "*.b");
  EXPECT_EQ(MaskOfEntry(entries, 7), "*.b");
  EXPECT_EQ(MaskOfEntry({}, 0), "*.*");
}

TEST(FilterList, MaskPatternsForTheFileList) {
  EXPECT_EQ(MaskPatterns("*.jpg;*.png"), (Patterns{"*.jpg", "*.png"}));
  EXPECT_EQ(MaskPatterns("*.htm; *.html"), (Patterns{"*.htm", "*.html"}));
  // "*.*" matches names without a dot as well, as Windows users expect.
  EXPECT_EQ(MaskPatterns("*.*"), Patterns{"*"});
  EXPECT_EQ(MaskPatterns(";;"), Patterns{});
}
