// PNG decoding with libpng. Palette pictures keep their depth (2 bits widen
// to 4), grey ones become 8-bit grey, the rest 24-bit; alpha goes over white.
#include <cstdlib>
#include <cstring>

#include <png.h>

#include "imaging/codecs/Decoders.h"
#include "imaging/colour/SrgbConversion.h"

namespace codecs {
namespace {

enum class Layout { Palette, Grey, GreyAlpha, Bgr, Bgra };

// Everything the setjmp function touches lives here, in the caller's frame.
struct PngDecodeJob {
  png_structp png;
  png_infop info;
  FileBytes file;
  size_t position;
  ProgressMeter* meter;
  RasterImage image;
  uint8_t* buffer;  // rows with alpha, composited into the image afterwards
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
    case Layout::Palette: return sourceDepth == 1 ? 1 : sourceDepth == 8 ? 8 : 4;
    case Layout::Grey:
    case Layout::GreyAlpha: return 8;
    default: return 24;
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

bool Prepare(PngDecodeJob* job) {
  const int depth = DibDepth(job->layout, job->sourceDepth);
  job->refusal = CheckDimensions(job->width, job->height, depth);
  if (job->refusal) return false;
  ColourTable table = job->layout == Layout::Palette ? PaletteOf(job->png, job->info) : GreyTable();
  const int colourCount = depth == 24 ? 0 : 1 << depth;
  if (!CreateImage(&job->image, job->width, job->height, depth, &table.info, colourCount)) {
    job->refusal = kOutOfMemory;
    return false;
  }
  const png_size_t rowBytes = png_get_rowbytes(job->png, job->info);
  const bool direct = job->layout != Layout::GreyAlpha && job->layout != Layout::Bgra;
  if (direct) {
    // What libpng writes per row must fit the DIB row it goes into.
    if (rowBytes > static_cast<png_size_t>(job->image.Stride)) job->refusal = kCorrupt;
    return !job->refusal;
  }
  const int64_t rows = job->passes > 1 ? job->height : 1;
  if (int64_t(rowBytes) * rows >= kMaxPixelBytes) job->refusal = kTooLarge;
  else if (!(job->buffer = static_cast<uint8_t*>(std::calloc(size_t(rows), rowBytes)))) job->refusal = kOutOfMemory;
  return !job->refusal;
}

uint8_t* RowTarget(PngDecodeJob* job, png_uint_32 y) {
  if (!job->buffer) return TopDownRow(job->image, y);
  if (job->passes == 1) return job->buffer;
  return job->buffer + png_get_rowbytes(job->png, job->info) * size_t{y};
}

void ReadPixels(PngDecodeJob* job) {
  for (int pass = 0; pass < job->passes; ++pass) {
    for (png_uint_32 y = 0; y < job->height; ++y) {
      png_read_row(job->png, RowTarget(job, y), nullptr);
      if (job->buffer && job->passes == 1) CompositeRow(job->buffer, TopDownRow(job->image, y), job->width, job->layout);
    }
  }
  for (png_uint_32 y = 0; y < job->height; ++y) {
    if (job->buffer && job->passes > 1) CompositeRow(RowTarget(job, y), TopDownRow(job->image, y), job->width, job->layout);
    if (job->layout == Layout::Palette && job->sourceDepth == 2) WidenTwoBitRow(TopDownRow(job->image, y), job->width);
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
  job->layout = ChooseLayout(job->png, job->info);
  job->passes = png_set_interlace_handling(job->png);
  png_set_read_status_fn(job->png, OnRow);
  png_read_update_info(job->png, job->info);
  if (!Prepare(job)) return false;
  ReadPixels(job);
  return true;
}

}  // namespace

void DecodePng(FileBytes file, RasterImage* out, ProgressMeter& progress) {
  PngDecodeJob job;
  std::memset(&job, 0, sizeof job);
  job.file = file;
  job.meter = &progress;
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (job.png) job.info = png_create_info_struct(job.png);
  const bool created = job.info != nullptr;
  const bool decoded = created && RunDecode(&job);
  if (decoded) colour::EmbeddedProfileToSrgb(job.image, job.profile, job.profileSize);
  png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
  std::free(job.buffer);
  if (!decoded) {
    if (job.image.Pixels) deldib(job.image);
    Fail(out, job.refusal ? job.refusal : created ? kCorrupt : kOutOfMemory);
    return;
  }
  *out = job.image;
}

}  // namespace codecs
