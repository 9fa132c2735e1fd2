// GIF decoding with giflib: the first frame on the logical screen, keeping
// the colour map's depth (1, 4 or 8 bits); the transparent colour is white.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/codecs/Decoders.h"

namespace imaging::codecs {
namespace {

constexpr int kGraphicControlLabel = 0xF9;

struct MemoryReader {
  FileBytes file;
  size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* target, int length) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const size_t count = std::min(size_t(std::max(length, 0)), reader->file.size - reader->position);
  std::memcpy(target, reader->file.data + reader->position, count);
  reader->position += count;
  return static_cast<int>(count);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// Skips extensions up to the first image, noting its transparent index.
bool FindFirstImage(GifFileType* gif, int& transparent) {
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) return false;
    if (type == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) != GIF_ERROR;
    if (type != EXTENSION_RECORD_TYPE) return false;
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    if (code == kGraphicControlLabel && block && block[0] >= 4) transparent = (block[1] & 1) ? block[4] : -1;
    while (block) {
      if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
  }
}

// Picture rows in the order an interlaced frame stores them.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(size_t(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  }
  return order;
}

// An LZW code takes at least 3 bits and stands for at most 4096 pixels, so
// the data left in the file bounds the pixels it can deliver; a frame larger
// than that is a lie of the header, refused before anything is allocated.
bool FrameFitsData(const GifImageDesc& frame, const MemoryReader& reader) {
  const uint64_t bytesLeft = reader.file.size - reader.position;
  constexpr uint64_t kMaxPixelsPerByte = 8 * 4096 / 3 + 1;
  return uint64_t(frame.Width) * uint64_t(frame.Height) <= bytesLeft * kMaxPixelsPerByte;
}

void PackRow(const uint8_t* indices, uint8_t* row, int64_t first, int64_t count, int depth, int colourCount) {
  for (int64_t i = 0; i < count; ++i) {
    const int64_t x = first + i;
    const uint8_t index = indices[i] < colourCount ? indices[i] : 0;
    if (depth == 8)
      row[x] = index;
    else if (depth == 4)
      row[x / 2] = static_cast<uint8_t>((x & 1) ? (row[x / 2] & 0xF0) | index : (row[x / 2] & 0x0F) | index << 4);
    else
      row[x / 8] = static_cast<uint8_t>((row[x / 8] & ~(0x80 >> (x & 7))) | index << (7 - (x & 7)));
  }
}

// Outside the first frame the screen is transparent or background.
void FillScreen(const RasterImage& image, int64_t width, int64_t height, int depth, int fill) {
  std::vector<uint8_t> fillRow(size_t(width), static_cast<uint8_t>(fill));
  for (int64_t y = 0; y < height; ++y) PackRow(fillRow.data(), TopDownRow(image, y), 0, width, depth, 256);
}

}  // namespace

void DecodeGif(FileBytes file, Image& out, ProgressMeter& progress) {
  MemoryReader reader{file, 0};
  int error = 0;
  GifHandle gif(DGifOpen(&reader, ReadFromMemory, &error));
  int transparent = -1;
  if (!gif || !FindFirstImage(gif.get(), transparent)) return Fail(out, kCorrupt);
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  if (!map || frame.Width < 1 || frame.Height < 1 || frame.Left < 0 || frame.Top < 0) return Fail(out, kCorrupt);
  const int64_t width = std::max<int64_t>(gif->SWidth, int64_t{frame.Left} + frame.Width);
  const int64_t height = std::max<int64_t>(gif->SHeight, int64_t{frame.Top} + frame.Height);
  if (const char* refusal = CheckDimensions(width, height, 8)) return Fail(out, refusal);
  if (!FrameFitsData(frame, reader)) return Fail(out, kCorrupt);

  const int depth = map->BitsPerPixel <= 1 ? 1 : map->BitsPerPixel <= 4 ? 4 : 8;
  const int colourCount = std::clamp(map->ColorCount, 0, 1 << depth);
  ColourTable table;
  for (int i = 0; i < colourCount; ++i) table.Set(i, map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
  if (transparent >= 0 && transparent < colourCount) table.Set(transparent, 255, 255, 255);
  if (!CreateImage(out, width, height, depth, &table.info, 1 << depth)) return;
  const int fill = transparent >= 0 ? transparent : gif->SBackGroundColor;
  FillScreen(*out, width, height, depth, fill < colourCount ? fill : 0);

  std::vector<uint8_t> line(size_t(frame.Width));
  const std::vector<int> order = RowOrder(frame.Height, frame.Interlace);
  for (size_t i = 0; i < order.size(); ++i) {
    if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR) {
      return Fail(out, kCorrupt);
    }
    PackRow(line.data(), TopDownRow(*out, frame.Top + order[i]), frame.Left, frame.Width, depth, colourCount);
    progress.Fraction(int64_t(i), int64_t(order.size()));
  }
}

}  // namespace imaging::codecs
