// The shipped designs: complete, using every placeholder, and producing pages
// whose links and pictures resolve and that pass an HTML validator. The
// validator config allows the two things the program writes on purpose:
// the Windows-1252 charset and the powered-by paragraph closed by its parent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>

#include "DesignAlbum.h"

namespace {

const std::vector<std::string> kOverviewKeys = {"%%POWERED%%",    "%%BGCOLOR%%",   "%%BGCOLOR2%%",   "%%CAPTION%%",
                                                "%%FREETEXT%%",   "%%BORDER%%",    "%%PICWIDTH%%",   "%%BIGHTMLSRC%%",
                                                "%%MINIPICSRC%%", "%%MINIWIDTH%%", "%%MINIHEIGHT%%", "%%MINISRCSET%%"};
const std::vector<std::string> kDetailKeys = {
    "%%BGCOLOR%%",      "%%BGCOLOR2%%",    "%%CAPTION2%%",     "%%COMMENT%%",      "%%BORDER%%",
    "%%BIGPICSRC%%",    "%%NEXTPICLINK%%", "%%PREVPICLINK%%",  "%%OVERVIEWLINK%%", "%%LINKS%%",
    "%%SCREENPICSRC%%", "%%SCREENWIDTH%%", "%%SCREENHEIGHT%%", "%%SCREENSRCSET%%"};

// The album the page tests use: three per row, markup in the free text.
std::vector<std::string> WriteAlbum(const TempFolder& dir, const std::string& design, int count,
                                    const std::string& sub = "") {
  album::AlbumSettings settings;
  settings.PicturesPerRow = 3;
  settings.Caption = "Sommer am Bodensee";
  settings.FreeText = "Ein Wochenende mit <b>Sonne</b> &amp; Wind.";
  return WriteDesignAlbum(dir, design, count, settings, sub);
}

std::string Joined(const generator::TemplateFragments& f, std::initializer_list<generator::Fragment> which) {
  std::string all;
  for (generator::Fragment x : which) all += f[x];
  return all;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Every address of href, src and the candidates of srcset.
std::vector<std::string> LinksOf(const std::string& page) {
  static const std::regex link(R"re((?:href|src)="([^"]*)")re");
  static const std::regex candidate(R"re((?:srcset="|, )([^ ",]+) [0-9]+[xw])re");
  std::vector<std::string> links;
  for (const std::regex* pattern : {&link, &candidate})
    for (std::sregex_iterator it(page.begin(), page.end(), *pattern), end; it != end; ++it) links.push_back((*it)[1]);
  return links;
}

bool ValidatorAvailable() { return std::system("html-validate --version >/dev/null 2>&1") == 0; }

class ShippedDesign : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST(ShippedDesigns, TheThreeDesignsAreListed) {
  const auto names = generator::TemplateSetNames(kShippedTemplates);
  for (const char* design : {"Klassisch", "Modern", "Schlicht"})
    EXPECT_NE(std::find(names.begin(), names.end(), design), names.end()) << design;
}

TEST_P(ShippedDesign, UsesEveryPlaceholderAndDeclaresItsCharset) {
  const generator::TemplateFragments f = ReadDesign(GetParam());
  const std::string overview = Joined(
      f, {generator::Fragment::MainFirst, generator::Fragment::MainLoopFirstCol1, generator::Fragment::MainLoop,
          generator::Fragment::MainLoopFirstCol2, generator::Fragment::MainLoopEmpty, generator::Fragment::MainEnd});
  const std::string detail = Joined(f, {generator::Fragment::Detail, generator::Fragment::DetailPrevLink,
                                        generator::Fragment::DetailNextLink, generator::Fragment::DetailOverviewLink});
  for (const auto& key : kOverviewKeys) EXPECT_NE(overview.find(key), std::string::npos) << key;
  for (const auto& key : kDetailKeys) EXPECT_NE(detail.find(key), std::string::npos) << key;
  EXPECT_NE(f[generator::Fragment::MainFirst].find("<meta charset=\"windows-1252\">"), std::string::npos);
  EXPECT_NE(f[generator::Fragment::Detail].find("<meta charset=\"windows-1252\">"), std::string::npos);
}

// The page tests in a browser try every colour pair by setting these two
// variables, so the colours must reach the page through them alone.
TEST_P(ShippedDesign, ColoursEnterOnlyThroughTwoVariables) {
  const generator::TemplateFragments f = ReadDesign(GetParam());
  const std::string all =
      Joined(f, {generator::Fragment::MainFirst, generator::Fragment::MainLoopFirstCol1, generator::Fragment::MainLoop,
                 generator::Fragment::MainLoopFirstCol2, generator::Fragment::MainLoopEmpty,
                 generator::Fragment::MainEnd, generator::Fragment::Detail, generator::Fragment::DetailPrevLink,
                 generator::Fragment::DetailNextLink, generator::Fragment::DetailOverviewLink});
  for (const generator::Fragment page : {generator::Fragment::MainFirst, generator::Fragment::Detail}) {
    EXPECT_EQ(Count(f[page], "--farbe1: %%BGCOLOR%%;"), 1u) << GetParam();
    EXPECT_EQ(Count(f[page], "--farbe2: %%BGCOLOR2%%;"), 1u) << GetParam();
  }
  EXPECT_EQ(Count(all, "%%BGCOLOR"), 4u) << GetParam();
}

TEST_P(ShippedDesign, EveryLinkAndPictureResolves) {
  TempFolder dir;
  for (int count : {1, 7}) {
    for (const std::string& page : WriteAlbum(dir, GetParam(), count)) {
      const std::filesystem::path folder = (dir.Root() / page).parent_path();
      for (const std::string& link : LinksOf(dir.Read(page))) {
        if (link.rfind("https://", 0) == 0) continue;
        EXPECT_FALSE(link.empty()) << page;
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / link)) << page << " -> " << link;
      }
    }
  }
}

TEST_P(ShippedDesign, PagesPassTheValidator) {
  if (!ValidatorAvailable()) GTEST_SKIP() << "html-validate is not installed";
  TempFolder dir;
  std::string command = "cd '" + dir.Root().string() +
                        "' && html-validate --config '" LUMIVISTA_SOURCE_DIR "/tests/generator/htmlvalidate.json'";
  for (int count : {0, 1, 7}) {
    const std::string album = std::string("album").append(std::to_string(count));
    for (const std::string& page : WriteAlbum(dir, GetParam(), count, album + "/")) command += " '" + page + "'";
  }
  EXPECT_EQ(std::system(command.c_str()), 0) << GetParam();
}

TEST(ShippedDesigns, ModernDetailPagesFollowArrowKeysAndEscape) {
  if (std::system("node --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "node is not installed";
  TempFolder dir;
  WriteAlbum(dir, "Modern", 3);
  const auto keys = [&](const std::string& page) {
    const std::string command = "node '" LUMIVISTA_SOURCE_DIR "/tests/generator/keynav.js' '" +
                                (dir.Root() / page).string() + "' ArrowLeft ArrowRight Escape a >'" +
                                (dir.Root() / "keys.txt").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return dir.Read("keys.txt");
  };
  EXPECT_EQ(keys("html/Bild1.htm"), "ArrowLeft=Bild0.htm ArrowRight=Bild2.htm Escape=../index.htm a=stay\n");
  EXPECT_EQ(keys("html/Bild0.htm"), "ArrowLeft=stay ArrowRight=Bild1.htm Escape=../index.htm a=stay\n");
  EXPECT_EQ(keys("html/Bild2.htm"), "ArrowLeft=Bild1.htm ArrowRight=stay Escape=../index.htm a=stay\n");
}

INSTANTIATE_TEST_SUITE_P(Designs, ShippedDesign, ::testing::Values("Klassisch", "Modern", "Schlicht"),
                         [](const auto& info) { return info.param; });
