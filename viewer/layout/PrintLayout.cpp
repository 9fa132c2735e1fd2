#include "viewer/layout/PrintLayout.h"

#include <cmath>
#include <limits>

namespace viewer {
namespace {

// Sizes are multiplied and compared in 64 bits: a tall panorama times a
// printer page in device pixels overflows 32 bits.
int64_t MulDiv(int64_t a, int64_t b, int64_t c) { return a * b / c; }

PageSize FullPageSize(PageSize page, int32_t picW, int32_t picH, bool keepProportions) {
  PageSize size = page;
  if (!keepProportions) return size;
  const int64_t t = MulDiv(picH, size.Width, picW);
  if (t > page.Height)
    size.Width = static_cast<int32_t>(MulDiv(picW, page.Height, picH));
  else
    size.Height = static_cast<int32_t>(t);
  return size;
}

PageSize UserDefinedSize(PageSize page, const PrintChoices& choices) {
  return {RoundHalfEven(static_cast<double>(int64_t{page.Width} * choices.WidthPercent) / 100.0),
          RoundHalfEven(static_cast<double>(int64_t{page.Height} * choices.HeightPercent) / 100.0)};
}

}  // namespace

int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  const double lowest = std::numeric_limits<int32_t>::min();
  const double highest = std::numeric_limits<int32_t>::max();
  if (value <= lowest) return std::numeric_limits<int32_t>::min();
  if (value >= highest) return std::numeric_limits<int32_t>::max();
  const double below = std::floor(value);
  const double fraction = value - below;
  double result = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) result = below + 1.0;
  return static_cast<int32_t>(result);
}

PageRect PlacePicture(PageSize page, int32_t picW, int32_t picH, const PrintChoices& choices) {
  if (picW <= 0 || picH <= 0 || page.Width <= 0 || page.Height <= 0) return {};
  const PageSize size =
      choices.UseFullPage ? FullPageSize(page, picW, picH, choices.KeepProportions) : UserDefinedSize(page, choices);
  PageRect rect{0, 0, size.Width, size.Height};
  if (choices.Centred) {
    rect.X = (page.Width - size.Width) / 2;
    rect.Y = (page.Height - size.Height) / 2;
  }
  return rect;
}

PageRect PreviewPage(PageSize box, PageSize paper) {
  if (paper.Width <= 0 || paper.Height <= 0) return {};
  PageRect rect;
  if (paper.Height < paper.Width) {
    rect.Width = box.Width;
    rect.Height = static_cast<int32_t>(MulDiv(rect.Width, paper.Height, paper.Width));
  } else {
    rect.Height = box.Height;
    rect.Width = static_cast<int32_t>(MulDiv(rect.Height, paper.Width, paper.Height));
  }
  rect.X = (box.Width - rect.Width) / 2;
  rect.Y = (box.Height - rect.Height) / 2;
  return rect;
}

int32_t BoundedPercent(double derived) {
  if (std::isnan(derived) || derived < kMinPercent) return kMinPercent;
  if (derived > kMaxPercent) return kMaxPercent;
  return static_cast<int32_t>(std::trunc(derived));
}

int32_t DeriveHeightPercent(int32_t widthPercent, int32_t picW, int32_t picH, PageSize paper) {
  const double ratio = static_cast<double>(int64_t{picH} * widthPercent) / picW;
  return BoundedPercent(ratio * paper.Width / paper.Height);
}

int32_t DeriveWidthPercent(int32_t heightPercent, int32_t picW, int32_t picH, PageSize paper) {
  const double ratio = static_cast<double>(int64_t{picW} * heightPercent) / picH;
  return BoundedPercent(ratio * paper.Height / paper.Width);
}

}  // namespace viewer
