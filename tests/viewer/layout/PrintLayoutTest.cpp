#include <gtest/gtest.h>

#include "viewer/layout/PrintLayout.h"

using namespace viewer;

namespace {

const PageSize kPortrait{4800, 6600};

PrintChoices FullPage(bool keep, bool centred) {
  PrintChoices choices;
  choices.UseFullPage = true;
  choices.KeepProportions = keep;
  choices.Centred = centred;
  return choices;
}

PrintChoices UserDefined(int32_t width, int32_t height, bool centred) {
  PrintChoices choices;
  choices.UseFullPage = false;
  choices.WidthPercent = width;
  choices.HeightPercent = height;
  choices.Centred = centred;
  return choices;
}

void ExpectRect(const PageRect& rect, int32_t x, int32_t y, int32_t w, int32_t h) {
  EXPECT_EQ(rect.X, x);
  EXPECT_EQ(rect.Y, y);
  EXPECT_EQ(rect.Width, w);
  EXPECT_EQ(rect.Height, h);
}

}  // namespace

TEST(PlacePicture, FullPageKeepsProportionsOfAWidePicture) {
  ExpectRect(PlacePicture(kPortrait, 2000, 1000, FullPage(true, true)), 0, 2100, 4800, 2400);
  ExpectRect(PlacePicture(kPortrait, 2000, 1000, FullPage(true, false)), 0, 0, 4800, 2400);
}

TEST(PlacePicture, FullPageTallPictureIsLimitedByThePageHeight) {
  // t = 4000 x 4800 div 1000 = 19200 > 6600, so w = 1000 x 6600 div 4000 = 1650.
  ExpectRect(PlacePicture(kPortrait, 1000, 4000, FullPage(true, true)), 1575, 0, 1650, 6600);
}

TEST(PlacePicture, FullPageWithoutProportionsFillsThePage) {
  ExpectRect(PlacePicture(kPortrait, 2000, 1000, FullPage(false, true)), 0, 0, 4800, 6600);
}

TEST(PlacePicture, FullPageDivisionsTruncate) {
  // t = 3 x 4800 div 7 = 2057 (2057.14...); centred y = (6600 - 2057) div 2 = 2271.
  ExpectRect(PlacePicture(kPortrait, 7, 3, FullPage(true, true)), 0, 2271, 4800, 2057);
}

TEST(PlacePicture, FullPageOfAHugePanoramaDoesNotOverflow) {
  // 500000 x 4961 exceeds 32 bits; the layout must still fit the page.
  const PageRect rect = PlacePicture({4961, 7016}, 1, 500000, FullPage(true, true));
  EXPECT_EQ(rect.Height, 7016);
  EXPECT_EQ(rect.Width, 0);
  EXPECT_EQ(rect.Y, 0);
}

TEST(PlacePicture, UserDefinedPercentagesIgnoreProportions) {
  PrintChoices centred = UserDefined(50, 50, true);
  ExpectRect(PlacePicture(kPortrait, 2000, 1000, centred), 1200, 1650, 2400, 3300);
  centred.KeepProportions = false;
  ExpectRect(PlacePicture(kPortrait, 2000, 1000, centred), 1200, 1650, 2400, 3300);
  ExpectRect(PlacePicture(kPortrait, 2000, 1000, UserDefined(50, 50, false)), 0, 0, 2400, 3300);
}

TEST(PlacePicture, UserDefinedRoundsHalvesToEven) {
  EXPECT_EQ(PlacePicture({4801, 6600}, 10, 10, UserDefined(33, 50, false)).Width, 1584);  // 1584.33
  EXPECT_EQ(PlacePicture({4801, 6600}, 10, 10, UserDefined(50, 50, false)).Width, 2400);  // 2400.5
  EXPECT_EQ(PlacePicture({4803, 6600}, 10, 10, UserDefined(50, 50, false)).Width, 2402);  // 2401.5
  EXPECT_EQ(PlacePicture({4801, 6600}, 10, 10, UserDefined(67, 50, false)).Width, 3217);  // 3216.67
}

TEST(PlacePicture, NoPictureOrNoPageGivesAnEmptyRectangle) {
  ExpectRect(PlacePicture(kPortrait, 0, 10, FullPage(true, true)), 0, 0, 0, 0);
  ExpectRect(PlacePicture({0, 0}, 10, 10, FullPage(true, true)), 0, 0, 0, 0);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(2.51), 3);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(1e12), INT32_MAX);
}

TEST(PreviewPage, PortraitFillsTheHeightAndIsCentredHorizontally) {
  // 190 x 4800 div 6600 = 138; (190 - 138) div 2 = 26.
  ExpectRect(PreviewPage({190, 190}, kPortrait), 26, 0, 138, 190);
}

TEST(PreviewPage, LandscapeFillsTheWidthAndIsCentredVertically) {
  ExpectRect(PreviewPage({190, 190}, {6600, 4800}), 0, 26, 190, 138);
}

TEST(PreviewPage, SquarePaperCountsAsPortrait) { ExpectRect(PreviewPage({200, 190}, {1000, 1000}), 5, 0, 190, 190); }

TEST(PreviewPage, PictureInThePreviewIsPlacedOnThePageRectangle) {
  const PageRect page = PreviewPage({190, 190}, kPortrait);
  PageRect picture = PlacePicture({page.Width, page.Height}, 2000, 1000, FullPage(true, true));
  // 1000 x 138 div 2000 = 69; centred y = (190 - 69) div 2 = 60.
  ExpectRect(picture, 0, 60, 138, 69);
  EXPECT_EQ(picture.X + page.X, 26);
}

TEST(PercentCoupling, SquarePictureOnPortraitPaper) {
  EXPECT_EQ(DeriveHeightPercent(50, 100, 100, kPortrait), 36);  // 36.36... truncated
  EXPECT_EQ(DeriveWidthPercent(36, 100, 100, kPortrait), 49);   // 49.5 truncated
}

TEST(PercentCoupling, DerivedValuesOutOfRangeTakeTheNearestBound) {
  EXPECT_EQ(BoundedPercent(0.4), 1);
  EXPECT_EQ(BoundedPercent(180), 100);
  EXPECT_EQ(BoundedPercent(99.9), 99);
  EXPECT_EQ(BoundedPercent(1.0), 1);
  // A panorama: 1 x 1 x 4800 / 6600 / 1000 is far below 1 percent.
  EXPECT_EQ(DeriveHeightPercent(1, 1000, 1, kPortrait), 1);
  // A tower: 100 x 4000 / 1000 x 4800 / 6600 = 290.9 -> 100.
  EXPECT_EQ(DeriveHeightPercent(100, 1000, 4000, kPortrait), 100);
  EXPECT_EQ(DeriveWidthPercent(100, 1000, 4000, kPortrait), 34);
}

TEST(PercentCoupling, DegenerateInputsStayInRange) {
  EXPECT_EQ(DeriveHeightPercent(50, 0, 100, kPortrait), 100);
  EXPECT_EQ(DeriveHeightPercent(50, 100, 100, {0, 0}), 1);
}
