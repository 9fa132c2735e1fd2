#include <gtest/gtest.h>

#include <regex>

#include "generator/Pages.h"
#include "support/SmallFragments.h"

namespace {

using generator::OutputKind;

// An album of `count` pictures and the names a run gave them.
struct NamedAlbum {
  album::AlbumPictures pictures;
  generator::RunOutputs outputs;
};

NamedAlbum Named(int count) {
  NamedAlbum named{album::AlbumPictures(static_cast<size_t>(count)), generator::RunOutputs(static_cast<size_t>(count))};
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i + 1);
    named.outputs[i][OutputKind::Page] = std::string("d").append(number).append(".htm");
    named.outputs[i][OutputKind::Thumbnail] = std::string("t").append(number).append(".jpg");
  }
  return named;
}

std::string Overview(const album::AlbumSettings& settings, const NamedAlbum& named) {
  return generator::OverviewPageText(SmallFragments(), settings, named.pictures, named.outputs);
}

// The page as a sequence of fragment words: "first col1 loop ...".
std::string Sequence(const std::string& page) {
  std::string out;
  static const std::regex word(R"((?:^|\n)(\w+))");
  for (std::sregex_iterator it(page.begin(), page.end(), word), end; it != end; ++it)
    out += (out.empty() ? "" : " ") + (*it)[1].str();
  return out;
}

album::AlbumSettings PerRow(int n) {
  album::AlbumSettings s;
  s.PicturesPerRow = n;
  s.Backlink = false;
  return s;
}

}  // namespace

TEST(OverviewPage, SevenPicturesThreePerRow) {
  const std::string page = Overview(PerRow(3), Named(7));
  EXPECT_EQ(Sequence(page), "first col1 loop loop loop col2 col1 loop loop loop col2 col1 loop empty empty col2 end");
}

TEST(OverviewPage, FullLastRowHasNoEmptyCell) {
  EXPECT_EQ(Sequence(Overview(PerRow(3), Named(6))), "first col1 loop loop loop col2 col1 loop loop loop col2 end");
  EXPECT_EQ(Sequence(Overview(PerRow(1), Named(2))), "first col1 loop col2 col1 loop col2 end");
  // Below the grid's minimum counts as one per row.
  EXPECT_EQ(Sequence(Overview(PerRow(0), Named(2))), "first col1 loop col2 col1 loop col2 end");
}

TEST(OverviewPage, ExactBytesWithPictureValuesCarriedForward) {
  NamedAlbum named = Named(2);
  named.outputs[1][OutputKind::Thumbnail].clear();  // a picture whose export failed is still listed
  album::AlbumSettings s = PerRow(3);
  s.Caption =
      "Gr\xFC\xDF"
      "e";
  const std::string expected =
      "first Gr&uuml;&szlig;e []\r\n\r\n"
      "col1 []\r\n\r\n"
      "loop ./html/d1.htm ./mini/t1.jpg %%COMMENT%%\r\n\r\n"
      "loop ./html/d2.htm ./mini/ %%COMMENT%%\r\n\r\n"
      "empty [./mini/]\r\n\r\n"
      "col2\r\n\r\n"
      "end 3 90\r\n\r\n";
  EXPECT_EQ(Overview(s, named), expected);
}

TEST(OverviewPage, EmptyAlbumIsFirstAndEndOnly) {
  album::AlbumSettings s = PerRow(5);
  s.Backlink = true;
  EXPECT_EQ(Overview(s, {}),
            "first Web Lumivista []\r\n\r\nend 3 90<p><a href=\"https://www.example.org/web-lumivista/\">"
            "Powered by Vendrix Web Lumivista.</a>\r\n\r\n");
}

TEST(DetailPage, LinkBlockFollowsThePicturesPlace) {
  NamedAlbum named = Named(3);
  named.outputs[0][OutputKind::Copy] = "a.jpg";
  named.pictures[0].Comment = "Sch\xF6n";
  const album::AlbumPictures& pictures = named.pictures;
  const generator::TemplateFragments f = SmallFragments();
  const album::AlbumSettings s;
  EXPECT_EQ(generator::DetailPageText(f, s, pictures, named.outputs, 0, "index.htm"),
            "<Web Lumivista|../pics/a.jpg|Sch&ouml;n|3|%%CAPTION%%>\r\n"
            "next d2.htm\r\nup ../index.htm\r\n.\r\n\r\n");
  EXPECT_EQ(generator::DetailPageText(f, s, pictures, named.outputs, 1, "index.htm"),
            "<Web Lumivista|../pics/||3|%%CAPTION%%>\r\n"
            "prev d1.htm %%LINKS%%\r\nnext d3.htm\r\nup ../index.htm\r\n.\r\n\r\n");
  EXPECT_EQ(generator::DetailPageText(f, s, pictures, named.outputs, 2, "index.htm"),
            "<Web Lumivista|../pics/||3|%%CAPTION%%>\r\n"
            "prev d2.htm %%LINKS%%\r\nup ../index.htm\r\n.\r\n\r\n");
}

TEST(DetailPage, OverviewNameThatWouldBreakTheLinkIsEscaped) {
  const NamedAlbum named = Named(1);
  generator::TemplateFragments f = SmallFragments();
  f[generator::Fragment::Detail] = generator::FragmentText("%%LINKS%%");
  EXPECT_EQ(generator::DetailPageText(f, album::AlbumSettings{}, named.pictures, named.outputs, 0,
                                      "Album #1 & \"50%\" Gr\xFC\xDF"
                                      "e?.htm"),
            "up ../Album %231 %26 %2250%25%22 Gr\xFC\xDF"
            "e%3F.htm\r\n\r\n\r\n");
}

TEST(DetailPage, SinglePictureHasOnlyTheOverviewLink) {
  NamedAlbum named = Named(1);
  named.pictures[0].Comment = "versteckt";
  named.pictures[0].ShowComment = 0;
  generator::TemplateFragments f = SmallFragments();
  f[generator::Fragment::Detail] = generator::FragmentText("[%%PREVPICLINK%%][%%NEXTPICLINK%%][%%COMMENT%%]%%LINKS%%");
  EXPECT_EQ(generator::DetailPageText(f, album::AlbumSettings{}, named.pictures, named.outputs, 0, "album.htm"),
            "[][][]up ../album.htm\r\n\r\n\r\n");
}
