#include "imaging/AreaScale.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "imaging/Rastola.h"

namespace imaging {

namespace {

// Where one source pixel goes along one axis. With the axis measured in
// units of 1/target, source pixel s covers [s*target, (s+1)*target) and
// target pixel d covers [d*source, (d+1)*source); a source pixel shorter than
// a target pixel reaches at most two of them.
struct AreaSpan {
  int32_t First = 0;        // target pixel the source pixel starts in
  float Weight = 0;         // its share in First, over the target pixel's length
  float NextWeight = 0;     // its share in First + 1
  bool EndsTarget = false;  // First is complete once this source pixel is added
};

std::vector<AreaSpan> AreaSpans(int32_t source, int32_t target) {
  std::vector<AreaSpan> spans(static_cast<size_t>(source));
  const float perUnit = 1.0f / static_cast<float>(source);
  for (int64_t s = 0; s < source; ++s) {
    const int64_t start = s * target, end = start + target;
    AreaSpan& span = spans[static_cast<size_t>(s)];
    span.First = static_cast<int32_t>(start / source);
    const int64_t boundary = (int64_t{span.First} + 1) * source;
    const int64_t inFirst = std::min(end, boundary) - start;
    span.Weight = static_cast<float>(inFirst) * perUnit;
    span.NextWeight = static_cast<float>(target - inFirst) * perUnit;
    span.EndsTarget = end >= boundary;
  }
  return spans;
}

// Adds one source row, averaged across, into `row` (target width x 3).
void AddRowAcross(const uint8_t* in, const std::vector<AreaSpan>& columns, float* row) {
  std::fill(row, row + (columns.back().First + 1) * 3, 0.0f);
  for (size_t s = 0; s < columns.size(); ++s) {
    const AreaSpan& span = columns[s];
    float* out = row + span.First * 3;
    for (int c = 0; c < 3; ++c) out[c] += span.Weight * in[3 * s + c];
    if (span.NextWeight > 0)
      for (int c = 0; c < 3; ++c) out[3 + c] += span.NextWeight * in[3 * s + c];
  }
}

void AddWeighted(const std::vector<float>& row, float weight, std::vector<float>& sum) {
  for (size_t i = 0; i < row.size(); ++i) sum[i] += weight * row[i];
}

void StoreRow(const std::vector<float>& sum, uint8_t* out) {
  for (size_t i = 0; i < sum.size(); ++i) out[i] = static_cast<uint8_t>(std::clamp(sum[i] + 0.5f, 0.0f, 255.0f));
}

}  // namespace

ScaledSize FitLongEdge(int32_t width, int32_t height, int32_t longEdge) {
  if (width < 1 || height < 1 || longEdge < 1) return {};
  const int32_t longer = std::max(width, height);
  if (longer <= longEdge) return {width, height};
  const auto side = [&](int32_t s) {
    return static_cast<int32_t>(std::max<int64_t>(1, (int64_t{s} * longEdge * 2 + longer) / (2 * int64_t{longer})));
  };
  return {side(width), side(height)};
}

void AreaScale(const RasterImage& source, int32_t newWidth, int32_t newHeight, RasterImage& result) {
  result = EmptyRasterImage();
  if (!source.Info || !source.Pixels || DibBitCount(source) != 24 || newWidth < 1 || newHeight < 1) return;
  const int32_t width = DibWidth(source), height = DibHeight(source);
  if (width < 1 || height < 1) return;
  newWidth = std::min(newWidth, width);
  newHeight = std::min(newHeight, height);
  newdib(&result, newWidth, newHeight, 24, nullptr, 0);
  if (!result.Pixels) return;

  const std::vector<AreaSpan> columns = AreaSpans(width, newWidth);
  const std::vector<AreaSpan> rows = AreaSpans(height, newHeight);
  const size_t values = size_t(newWidth) * 3;
  std::vector<float> across(values), current(values, 0.0f), next(values, 0.0f);
  // Memory rows in order: the area of a row is the same counted from either end.
  for (int32_t y = 0; y < height; ++y) {
    AddRowAcross(source.Pixels + int64_t{y} * source.Stride, columns, across.data());
    const AreaSpan& span = rows[static_cast<size_t>(y)];
    AddWeighted(across, span.Weight, current);
    if (span.NextWeight > 0) AddWeighted(across, span.NextWeight, next);
    if (!span.EndsTarget) continue;
    StoreRow(current, result.Pixels + int64_t{span.First} * result.Stride);
    std::swap(current, next);
    std::fill(next.begin(), next.end(), 0.0f);
  }
}

}  // namespace imaging
