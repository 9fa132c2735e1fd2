#include "imaging/AreaScale.h"

#include <algorithm>
#include <vector>

#include "imaging/Rastola.h"

namespace imaging {

namespace {

// The weights of one axis: target pixel t is the sum of `Taps` source pixels
// from First[t] on, each weighted by the share of t's length it covers, in
// 1/256 steps that add up to exactly 256. Measured in units of 1/target
// along a source axis of `source` pixels, source pixel s covers
// [s*target, (s+1)*target) and target pixel t covers [t*source, (t+1)*source).
// Every target pixel uses the same number of taps (unused ones weigh 0), so
// the loops below run without branches.
struct AreaTaps {
  int32_t Taps = 1;
  std::vector<int32_t> First;
  std::vector<uint16_t> Weights;  // target x Taps
};

constexpr uint32_t kWhole = 256;

AreaTaps MakeAreaTaps(int32_t source, int32_t target) {
  AreaTaps axis;
  const auto firstOf = [&](int64_t t) { return static_cast<int32_t>(t * source / target); };
  const auto lastOf = [&](int64_t t) { return static_cast<int32_t>(((t + 1) * source - 1) / target); };
  for (int32_t t = 0; t < target; ++t) axis.Taps = std::max(axis.Taps, lastOf(t) - firstOf(t) + 1);
  axis.First.resize(static_cast<size_t>(target));
  axis.Weights.assign(static_cast<size_t>(target) * static_cast<size_t>(axis.Taps), 0);
  for (int32_t t = 0; t < target; ++t) {
    const int64_t begin = int64_t{t} * source, end = begin + source;
    const int32_t first = std::min(firstOf(t), source - axis.Taps);
    axis.First[static_cast<size_t>(t)] = first;
    // Rounded from the running total, so the steps add up to kWhole.
    int64_t covered = 0, given = 0;
    for (int32_t s = firstOf(t); s <= lastOf(t); ++s) {
      covered += std::min(end, (int64_t{s} + 1) * target) - std::max(begin, int64_t{s} * target);
      const int64_t total = (covered * kWhole + source / 2) / source;
      axis.Weights[static_cast<size_t>(t) * static_cast<size_t>(axis.Taps) + static_cast<size_t>(s - first)] =
          static_cast<uint16_t>(total - given);
      given = total;
    }
  }
  return axis;
}

// `sum` := the source rows of target row y, weighted: at most 255 * 256, so
// 16 bits hold it, and the long plain loop over whole rows runs in wide
// vector registers.
void SumRowsDown(const RasterImage& source, const AreaTaps& rows, int32_t y, std::vector<uint16_t>& sum) {
  const int32_t first = rows.First[static_cast<size_t>(y)];
  const uint16_t* weights = &rows.Weights[static_cast<size_t>(y) * static_cast<size_t>(rows.Taps)];
  std::fill(sum.begin(), sum.end(), 0);
  uint16_t* out = sum.data();
  const size_t count = sum.size();
  for (int32_t k = 0; k < rows.Taps; ++k) {
    const uint16_t w = weights[k];
    if (w == 0) continue;
    const uint8_t* in = source.Pixels + int64_t{first + k} * source.Stride;
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint16_t>(out[i] + w * in[i]);
  }
}

// One target row from the summed rows, across; TAPS > 0 fixes the count at
// compile time for the usual small factors.
template <int TAPS>
void SumAcross(const std::vector<uint16_t>& sum, const AreaTaps& columns, uint8_t* out, int32_t width) {
  const int32_t taps = TAPS > 0 ? TAPS : columns.Taps;
  for (int32_t x = 0; x < width; ++x) {
    const uint16_t* in = &sum[static_cast<size_t>(columns.First[static_cast<size_t>(x)]) * 3];
    const uint16_t* weights = &columns.Weights[static_cast<size_t>(x) * static_cast<size_t>(taps)];
    uint32_t b = kWhole * kWhole / 2, g = b, r = b;
    for (int32_t k = 0; k < taps; ++k) {
      b += uint32_t{weights[k]} * in[3 * k];
      g += uint32_t{weights[k]} * in[3 * k + 1];
      r += uint32_t{weights[k]} * in[3 * k + 2];
    }
    out[3 * x] = static_cast<uint8_t>(b >> 16);
    out[3 * x + 1] = static_cast<uint8_t>(g >> 16);
    out[3 * x + 2] = static_cast<uint8_t>(r >> 16);
  }
}

void SumAcrossAny(const std::vector<uint16_t>& sum, const AreaTaps& columns, uint8_t* out, int32_t width) {
  switch (columns.Taps) {
    case 1:
      return SumAcross<1>(sum, columns, out, width);
    case 2:
      return SumAcross<2>(sum, columns, out, width);
    case 3:
      return SumAcross<3>(sum, columns, out, width);
    case 4:
      return SumAcross<4>(sum, columns, out, width);
    default:
      return SumAcross<0>(sum, columns, out, width);
  }
}

// Exactly half in both directions, the usual case of a camera picture: each
// target pixel the rounded mean of a 2 x 2 block, in one pass over the rows,
// the same values the general path gives.
void HalveEachSide(const RasterImage& source, const RasterImage& result) {
  const int32_t width = DibWidth(result), height = DibHeight(result);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* a = source.Pixels + int64_t{2 * y} * source.Stride;
    const uint8_t* b = a + source.Stride;
    uint8_t* out = result.Pixels + int64_t{y} * result.Stride;
    for (int32_t x = 0; x < width; ++x)
      for (int32_t c = 0; c < 3; ++c)
        out[3 * x + c] =
            static_cast<uint8_t>((a[6 * x + c] + a[6 * x + 3 + c] + b[6 * x + c] + b[6 * x + 3 + c] + 2) >> 2);
  }
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

Image AreaScale(const RasterImage& source, int32_t newWidth, int32_t newHeight) {
  Image result;
  if (!source.Info || !source.Pixels || DibBitCount(source) != 24 || newWidth < 1 || newHeight < 1) return result;
  const int32_t width = DibWidth(source), height = DibHeight(source);
  if (width < 1 || height < 1) return result;
  newWidth = std::min(newWidth, width);
  newHeight = std::min(newHeight, height);
  newdib(&result, newWidth, newHeight, 24, nullptr, 0);
  if (!result) return result;

  if (width == 2 * newWidth && height == 2 * newHeight) {
    HalveEachSide(source, *result);
    return result;
  }
  const AreaTaps columns = MakeAreaTaps(width, newWidth);
  const AreaTaps rows = MakeAreaTaps(height, newHeight);
  std::vector<uint16_t> sum(size_t(width) * 3);
  // Down first, then across: the long plain loop runs over the most pixels.
  // Memory rows in order: the area of a row is the same counted from either end.
  for (int32_t y = 0; y < newHeight; ++y) {
    SumRowsDown(source, rows, y, sum);
    SumAcrossAny(sum, columns, result->Pixels + int64_t{y} * result->Stride, newWidth);
  }
  return result;
}

}  // namespace imaging
