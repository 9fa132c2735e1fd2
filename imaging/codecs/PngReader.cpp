// PNG decoding with libpng. Palette pictures keep their depth (2 bits widen
// to 4), grey ones become 8-bit grey, the rest 24-bit; alpha goes over white.
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include "imaging/codecs/Decoders.h"
#include "imaging/colour/SrgbConversion.h"

namespace imaging::codecs {
namespace {

enum class Layout { Palette, Grey, GreyAlpha, Bgr, Bgra };

// Everything the setjmp function touches lives here, in the caller's frame.
struct PngDecodeJob {
  png_structp png;
  png_infop info;
  FileBytes file;
  size_t position;
  ProgressMeter* meter;
  Image image;
  uint8_t* buffer;  // one row with alpha, composited into the image
  uint8_t* alpha;   // interlaced pictures with alpha: the alpha of every pixel
  const char* refusal;
  png_uint_32 width, height;
  int passes;
  int sourceDepth;
  Layout layout;
  png_bytep profile;  // embedded ICC profile, owned by `info`
  png_uint_32 profileSize;
};

void ReadFromMemory(png_structp png, png_bytep target, png_size_t length) {
  auto* job = static_cast<PngDecodeJob*>(png_get_io_ptr(png));
  if (job->file.size - job->position < length) png_error(png, "truncated");
  std::memcpy(target, job->file.data + job->position, length);
  job->position += length;
}

[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

void OnRow(png_structp png, png_uint_32 row, int pass) {
  auto* job = static_cast<PngDecodeJob*>(png_get_io_ptr(png));
  job->meter->Fraction(int64_t{pass} * job->height + row, int64_t{job->passes} * job->height);
}

// Palette entries carry their transparency composited over white already.
ColourTable PaletteOf(png_structp png, png_infop info) {
  ColourTable table;
  png_colorp entries = nullptr;
  int count = 0;
  png_get_PLTE(png, info, &entries, &count);
  png_bytep alpha = nullptr;
  int alphaCount = 0;
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_get_tRNS(png, info, &alpha, &alphaCount, nullptr);
  for (int i = 0; i < count && i < 256; ++i) {
    const unsigned a = i < alphaCount ? alpha[i] : 255;
    table.Set(i, OverWhite(entries[i].red, a), OverWhite(entries[i].green, a), OverWhite(entries[i].blue, a));
  }
  return table;
}

// Sets libpng's transformations and returns the layout of the rows it hands us.
Layout ChooseLayout(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  if (colourType == PNG_COLOR_TYPE_PALETTE) return Layout::Palette;
  const bool transparent = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_scale_16(png);
  if (transparent) png_set_tRNS_to_alpha(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_expand_gray_1_2_4_to_8(png);
    return (colourType == PNG_COLOR_TYPE_GRAY_ALPHA || transparent) ? Layout::GreyAlpha : Layout::Grey;
  }
  png_set_bgr(png);
  return (colourType == PNG_COLOR_TYPE_RGB_ALPHA || transparent) ? Layout::Bgra : Layout::Bgr;
}

int DibDepth(Layout layout, int sourceDepth) {
  switch (layout) {
    case Layout::Palette:
      return sourceDepth == 1 ? 1 : sourceDepth == 8 ? 8 : 4;
    case Layout::Grey:
    case Layout::GreyAlpha:
      return 8;
    default:
      return 24;
  }
}

// 2-bit indices widened in place to 4 bits, from the right end of the row.
void WidenTwoBitRow(uint8_t* row, png_uint_32 width) {
  for (int64_t i = (int64_t{width} + 3) / 4 - 1; i >= 0; --i) {
    const uint8_t b = row[i];
    row[2 * i] = static_cast<uint8_t>((b >> 6) << 4 | ((b >> 4) & 3));
    row[2 * i + 1] = static_cast<uint8_t>(((b >> 2) & 3) << 4 | (b & 3));
  }
}

void CompositeRow(const uint8_t* source, uint8_t* target, png_uint_32 width, Layout layout) {
  if (layout == Layout::GreyAlpha) {
    for (png_uint_32 x = 0; x < width; ++x) target[x] = OverWhite(source[2 * x], source[2 * x + 1]);
    return;
  }
  for (png_uint_32 x = 0; x < width; ++x, source += 4, target += 3) {
    for (int c = 0; c < 3; ++c) target[c] = OverWhite(source[c], source[3]);
  }
}

// Deflate turns one byte into at most 1032, so the file's remaining bytes
// bound the rows it can deliver; a header claiming more is refused before
// anything is allocated.
bool DataCanDeliver(const PngDecodeJob* job, png_size_t sourceRowBytes) {
  const uint64_t left = job->file.size - job->position;
  return (uint64_t{sourceRowBytes} + 1) * job->height <= left * 1032 + 65536;
}

bool Prepare(PngDecodeJob* job, png_size_t sourceRowBytes) {
  const int depth = DibDepth(job->layout, job->sourceDepth);
  job->refusal = CheckDimensions(job->width, job->height, depth);
  if (!job->refusal && !DataCanDeliver(job, sourceRowBytes)) job->refusal = kCorrupt;
  if (job->refusal) return false;
  ColourTable table = job->layout == Layout::Palette ? PaletteOf(job->png, job->info) : GreyTable();
  const int colourCount = depth == 24 ? 0 : 1 << depth;
  if (!CreateImage(job->image, job->width, job->height, depth, &table.info, colourCount)) {
    job->refusal = kOutOfMemory;
    return false;
  }
  const png_size_t rowBytes = png_get_rowbytes(job->png, job->info);
  const bool direct = job->layout != Layout::GreyAlpha && job->layout != Layout::Bgra;
  if (direct) {
    // What libpng writes per row must fit the DIB row it goes into.
    if (rowBytes > static_cast<png_size_t>(job->image->Stride)) job->refusal = kCorrupt;
    return !job->refusal;
  }
  job->buffer = static_cast<uint8_t*>(std::calloc(1, rowBytes));
  if (job->buffer && job->passes > 1) job->alpha = static_cast<uint8_t*>(std::calloc(job->width, job->height));
  if (!job->buffer || (job->passes > 1 && !job->alpha)) job->refusal = kOutOfMemory;
  return !job->refusal;
}

// Interlaced pictures with alpha: libpng fills each row pass by pass, so the
// colour waits uncomposited in the image and the alpha in a plane of its own
// until the last pass. That costs a third of the picture more, where a whole
// copy with alpha would cost four thirds.
int Channels(Layout layout) { return layout == Layout::GreyAlpha ? 1 : 3; }

uint8_t* AlphaRow(const PngDecodeJob* job, png_uint_32 y) { return job->alpha + size_t{job->width} * y; }

void MergeRow(const PngDecodeJob* job, png_uint_32 y) {
  const int channels = Channels(job->layout);
  const uint8_t* colour = TopDownRow(*job->image, y);
  const uint8_t* alpha = AlphaRow(job, y);
  uint8_t* merged = job->buffer;
  for (png_uint_32 x = 0; x < job->width; ++x, colour += channels, merged += channels + 1) {
    std::memcpy(merged, colour, size_t(channels));
    merged[channels] = alpha[x];
  }
}

void SplitRow(const PngDecodeJob* job, png_uint_32 y) {
  const int channels = Channels(job->layout);
  uint8_t* colour = TopDownRow(*job->image, y);
  uint8_t* alpha = AlphaRow(job, y);
  const uint8_t* merged = job->buffer;
  for (png_uint_32 x = 0; x < job->width; ++x, colour += channels, merged += channels + 1) {
    std::memcpy(colour, merged, size_t(channels));
    alpha[x] = merged[channels];
  }
}

void CompositeInPlace(const PngDecodeJob* job, png_uint_32 y) {
  const int channels = Channels(job->layout);
  uint8_t* colour = TopDownRow(*job->image, y);
  const uint8_t* alpha = AlphaRow(job, y);
  for (png_uint_32 x = 0; x < job->width; ++x, colour += channels) {
    for (int c = 0; c < channels; ++c) colour[c] = OverWhite(colour[c], alpha[x]);
  }
}

void ReadPixels(PngDecodeJob* job) {
  for (int pass = 0; pass < job->passes; ++pass) {
    for (png_uint_32 y = 0; y < job->height; ++y) {
      if (job->alpha) MergeRow(job, y);
      png_read_row(job->png, job->buffer ? job->buffer : TopDownRow(*job->image, y), nullptr);
      if (job->alpha)
        SplitRow(job, y);
      else if (job->buffer)
        CompositeRow(job->buffer, TopDownRow(*job->image, y), job->width, job->layout);
    }
  }
  for (png_uint_32 y = 0; y < job->height; ++y) {
    if (job->alpha) CompositeInPlace(job, y);
    if (job->layout == Layout::Palette && job->sourceDepth == 2) WidenTwoBitRow(TopDownRow(*job->image, y), job->width);
  }
}

bool RunDecode(PngDecodeJob* job) {
  if (setjmp(png_jmpbuf(job->png))) return false;
  png_set_read_fn(job->png, job, ReadFromMemory);
  png_read_info(job->png, job->info);
  png_charp profileName = nullptr;
  int compression = 0;
  png_get_iCCP(job->png, job->info, &profileName, &compression, &job->profile, &job->profileSize);
  job->width = png_get_image_width(job->png, job->info);
  job->height = png_get_image_height(job->png, job->info);
  job->sourceDepth = png_get_bit_depth(job->png, job->info);
  const png_size_t sourceRowBytes = png_get_rowbytes(job->png, job->info);
  job->layout = ChooseLayout(job->png, job->info);
  job->passes = png_set_interlace_handling(job->png);
  png_set_read_status_fn(job->png, OnRow);
  png_read_update_info(job->png, job->info);
  if (!Prepare(job, sourceRowBytes)) return false;
  ReadPixels(job);
  return true;
}

}  // namespace

void DecodePng(FileBytes file, Image& out, ProgressMeter& progress) {
  PngDecodeJob job{};
  job.file = file;
  job.meter = &progress;
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (job.png) job.info = png_create_info_struct(job.png);
  const bool created = job.info != nullptr;
  const bool decoded = created && RunDecode(&job);
  if (decoded) colour::EmbeddedProfileToSrgb(*job.image, job.profile, job.profileSize);
  png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
  std::free(job.buffer);
  std::free(job.alpha);
  if (!decoded) {
    Fail(out, job.refusal ? job.refusal : created ? kCorrupt : kOutOfMemory);
    return;
  }
  out = std::move(job.image);
}

}  // namespace imaging::codecs
