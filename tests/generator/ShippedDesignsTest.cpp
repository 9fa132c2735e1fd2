// The shipped designs: complete, using every placeholder, and producing pages
// whose links and pictures resolve and that pass an HTML validator. The
// validator config allows the two things the program writes on purpose:
// the Windows-1252 charset and the powered-by paragraph closed by its parent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>

#include "support/RecordingMessages.h"
#include "support/TempFolder.h"
#include "generator/Fragments.h"
#include "generator/Pages.h"
#include "generator/TemplateSets.h"

namespace {

const std::string kTemplates = std::string(LUMIVISTA_SOURCE_DIR) + "/template";

const std::vector<std::string> kOverviewKeys = {"%%POWERED%%", "%%BGCOLOR%%", "%%BGCOLOR2%%",
                                                "%%CAPTION%%", "%%FREETEXT%%", "%%BORDER%%",
                                                "%%PICWIDTH%%", "%%BIGHTMLSRC%%", "%%MINIPICSRC%%"};
const std::vector<std::string> kDetailKeys = {"%%BGCOLOR%%", "%%BGCOLOR2%%", "%%CAPTION2%%", "%%COMMENT%%",
                                              "%%BORDER%%", "%%BIGPICSRC%%", "%%NEXTPICLINK%%",
                                              "%%PREVPICLINK%%", "%%OVERVIEWLINK%%", "%%LINKS%%"};

TemplateFragments Read(const std::string& design) {
  RecordingMessages messages;
  auto fragments = ReadTemplateFragments(TemplateSetFolder(kTemplates, design), messages);
  EXPECT_TRUE(fragments) << (messages.Lines().empty() ? "" : messages.Lines()[0]);
  return fragments.value_or(TemplateFragments{});
}

std::string Joined(const TemplateFragments& f, std::initializer_list<Fragment> which) {
  std::string all;
  for (Fragment x : which) all += f[x];
  return all;
}

// Writes an album of `count` pictures in `design` as the run would, with
// empty files standing in for the JPEGs. Gives the written page paths.
std::vector<std::string> WriteAlbum(const TempFolder& dir, const std::string& design, int count,
                                    const std::string& sub = "") {
  const TemplateFragments f = Read(design);
  AlbumSettings settings;
  settings.PicturesPerRow = 3;
  settings.Caption = "Sommer am Bodensee";
  settings.FreeText = "Ein Wochenende mit <b>Sonne</b> &amp; Wind.";
  AlbumPictures pictures(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::string base = std::string("Bild").append(std::to_string(i));
    pictures[i].DetailPageName = base + ".htm";
    pictures[i].PictureName = base + ".jpg";
    pictures[i].ThumbnailName = base + ".jpg";
    pictures[i].Comment = "Sch\xF6ne Aussicht\r\nZweite Zeile";
    dir.Write(sub + "pics/" + base + ".jpg", "");
    dir.Write(sub + "mini/" + base + ".jpg", "");
  }
  std::vector<std::string> pages = {sub + "index.htm"};
  dir.Write(pages.back(), OverviewPageText(f, settings, pictures));
  for (int i = 0; i < count; ++i) {
    pages.push_back(sub + "html/" + *pictures[i].DetailPageName);
    dir.Write(pages.back(), DetailPageText(f, settings, pictures, i, "index.htm"));
  }
  return pages;
}

std::vector<std::string> LinksOf(const std::string& page) {
  static const std::regex link(R"re((?:href|src)="([^"]*)")re");
  std::vector<std::string> links;
  for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it) links.push_back((*it)[1]);
  return links;
}

bool ValidatorAvailable() { return std::system("html-validate --version >/dev/null 2>&1") == 0; }

class ShippedDesign : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST(ShippedDesigns, TheThreeDesignsAreListed) {
  const auto names = TemplateSetNames(kTemplates);
  for (const char* design : {"Klassisch", "Modern", "Schlicht"})
    EXPECT_NE(std::find(names.begin(), names.end(), design), names.end()) << design;
}

TEST_P(ShippedDesign, UsesEveryPlaceholderAndDeclaresItsCharset) {
  const TemplateFragments f = Read(GetParam());
  const std::string overview =
      Joined(f, {Fragment::MainFirst, Fragment::MainLoopFirstCol1, Fragment::MainLoop, Fragment::MainLoopFirstCol2,
                 Fragment::MainLoopEmpty, Fragment::MainEnd});
  const std::string detail =
      Joined(f, {Fragment::Detail, Fragment::DetailPrevLink, Fragment::DetailNextLink, Fragment::DetailOverviewLink});
  for (const auto& key : kOverviewKeys) EXPECT_NE(overview.find(key), std::string::npos) << key;
  for (const auto& key : kDetailKeys) EXPECT_NE(detail.find(key), std::string::npos) << key;
  EXPECT_NE(f[Fragment::MainFirst].find("<meta charset=\"windows-1252\">"), std::string::npos);
  EXPECT_NE(f[Fragment::Detail].find("<meta charset=\"windows-1252\">"), std::string::npos);
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
  std::string command = "cd '" + dir.Root().string() + "' && html-validate --config '" LUMIVISTA_SOURCE_DIR
                        "/tests/generator/htmlvalidate.json'";
  for (int count : {0, 1, 7}) {
    const std::string album = std::string("album").append(std::to_string(count));
    for (const std::string& page : WriteAlbum(dir, GetParam(), count, album + "/"))
      command += " '" + page + "'";
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
