#include <gtest/gtest.h>

#include <regex>

#include "support/SmallFragments.h"
#include "generator/Pages.h"

namespace {

album::AlbumPictures Named(int count) {
  album::AlbumPictures pictures(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i + 1);
    pictures[i].DetailPageName = std::string("d").append(number).append(".htm");
    pictures[i].ThumbnailName = std::string("t").append(number).append(".jpg");
  }
  return pictures;
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
  const std::string page = generator::OverviewPageText(SmallFragments(), PerRow(3), Named(7));
  EXPECT_EQ(Sequence(page),
            "first col1 loop loop loop col2 col1 loop loop loop col2 col1 loop empty empty col2 end");
}

TEST(OverviewPage, FullLastRowHasNoEmptyCell) {
  EXPECT_EQ(Sequence(generator::OverviewPageText(SmallFragments(), PerRow(3), Named(6))),
            "first col1 loop loop loop col2 col1 loop loop loop col2 end");
  EXPECT_EQ(Sequence(generator::OverviewPageText(SmallFragments(), PerRow(1), Named(2))),
            "first col1 loop col2 col1 loop col2 end");
  // Below the grid's minimum counts as one per row.
  EXPECT_EQ(Sequence(generator::OverviewPageText(SmallFragments(), PerRow(0), Named(2))),
            "first col1 loop col2 col1 loop col2 end");
}

TEST(OverviewPage, ExactBytesWithPictureValuesCarriedForward) {
  album::AlbumPictures pictures = Named(2);
  pictures[1].ThumbnailName.reset();  // a picture whose export failed is still listed
  album::AlbumSettings s = PerRow(3);
  s.Caption = "Gr\xFC\xDF" "e";
  const std::string expected =
      "first Gr&uuml;&szlig;e []\r\n\r\n"
      "col1 []\r\n\r\n"
      "loop ./html/d1.htm ./mini/t1.jpg %%COMMENT%%\r\n\r\n"
      "loop ./html/d2.htm ./mini/ %%COMMENT%%\r\n\r\n"
      "empty [./mini/]\r\n\r\n"
      "col2\r\n\r\n"
      "end 3 90\r\n\r\n";
  EXPECT_EQ(generator::OverviewPageText(SmallFragments(), s, pictures), expected);
}

TEST(OverviewPage, EmptyAlbumIsFirstAndEndOnly) {
  album::AlbumSettings s = PerRow(5);
  s.Backlink = true;
  EXPECT_EQ(generator::OverviewPageText(SmallFragments(), s, {}),
            "first Web Lumivista []\r\n\r\nend 3 90<p><a href=\"https://www.example.org/web-lumivista/\">"
            "Powered by Vendrix Web Lumivista.</a>\r\n\r\n");
}

TEST(DetailPage, LinkBlockFollowsThePicturesPlace) {
  album::AlbumPictures pictures = Named(3);
  pictures[0].PictureName = "a.jpg";
  pictures[0].Comment = "Sch\xF6n";
  const generator::TemplateFragments f = SmallFragments();
  const album::AlbumSettings s;
  EXPECT_EQ(generator::DetailPageText(f, s, pictures, 0, "index.htm"),
            "<Web Lumivista|../pics/a.jpg|Sch&ouml;n|3|%%CAPTION%%>\r\n"
            "next d2.htm\r\nup ../index.htm\r\n.\r\n\r\n");
  EXPECT_EQ(generator::DetailPageText(f, s, pictures, 1, "index.htm"),
            "<Web Lumivista|../pics/||3|%%CAPTION%%>\r\n"
            "prev d1.htm %%LINKS%%\r\nnext d3.htm\r\nup ../index.htm\r\n.\r\n\r\n");
  EXPECT_EQ(generator::DetailPageText(f, s, pictures, 2, "index.htm"),
            "<Web Lumivista|../pics/||3|%%CAPTION%%>\r\n"
            "prev d2.htm %%LINKS%%\r\nup ../index.htm\r\n.\r\n\r\n");
}

TEST(DetailPage, OverviewNameThatWouldBreakTheLinkIsEscaped) {
  const album::AlbumPictures pictures = Named(1);
  generator::TemplateFragments f = SmallFragments();
  f[generator::Fragment::Detail] = generator::FragmentText("%%LINKS%%");
  EXPECT_EQ(generator::DetailPageText(f, album::AlbumSettings{}, pictures, 0,
                                      "Album #1 & \"50%\" Gr\xFC\xDF"
                                      "e?.htm"),
            "up ../Album %231 %26 %2250%25%22 Gr\xFC\xDF"
            "e%3F.htm\r\n\r\n\r\n");
}

TEST(DetailPage, SinglePictureHasOnlyTheOverviewLink) {
  album::AlbumPictures pictures = Named(1);
  pictures[0].Comment = "versteckt";
  pictures[0].ShowComment = 0;
  generator::TemplateFragments f = SmallFragments();
  f[generator::Fragment::Detail] = generator::FragmentText("[%%PREVPICLINK%%][%%NEXTPICLINK%%][%%COMMENT%%]%%LINKS%%");
  EXPECT_EQ(generator::DetailPageText(f, album::AlbumSettings{}, pictures, 0, "album.htm"),
            "[][][]up ../album.htm\r\n\r\n\r\n");
}
