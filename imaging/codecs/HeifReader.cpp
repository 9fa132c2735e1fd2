// HEIF and AVIF decoding with libheif: the primary image at full size,
// turned and mirrored as the file says (libheif applies irot, imir and
// clap; the EXIF orientation of such files is never applied on top), 8 bits
// per sample, alpha over white, colours converted to sRGB (HeifColour).
#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <new>
#include <system_error>

#include "imaging/DecodeBudget.h"
#include "imaging/codecs/Decoders.h"
#include "imaging/codecs/HeifCodecName.h"
#include "imaging/codecs/HeifColour.h"
#include "imaging/codecs/HeifPixels.h"

namespace imaging::codecs {
namespace {

struct HeifDeleter {
  void operator()(heif_context* context) const { heif_context_free(context); }
  void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
  void operator()(heif_image* image) const { heif_image_release(image); }
};
template <class T>
using HeifPointer = std::unique_ptr<T, HeifDeleter>;

void InitialiseOnce() {
  static const bool initialised = [] {
    heif_init(nullptr);
    return true;
  }();
  (void)initialised;
}

const char* MessageFor(const heif_error& error) {
  // libheif reports its security limits as allocation errors.
  if (error.subcode == heif_suberror_Security_limit_exceeded) return kTooLarge;
  if (error.code == heif_error_Memory_allocation_error) return kOutOfMemory;
  if (error.code == heif_error_Unsupported_feature) return kUnsupported;
  return kCorrupt;
}

// A compression libheif does not know, or knows without a decoder for it.
bool LacksDecoder(const heif_error& error) {
  return error.code == heif_error_Unsupported_feature &&
         (error.subcode == heif_suberror_Unsupported_codec || error.subcode == heif_suberror_Unsupported_image_type);
}

void FailFor(const heif_error& error, FileBytes file, Image& out) {
  if (LacksDecoder(error)) return FailForMissingDecoder(file, out);
  Fail(out, MessageFor(error));
}

// libheif's own layout when it has one we take (monochrome, planar RGB),
// planar RGB otherwise.
HeifPointer<heif_image> Decode(const heif_image_handle* handle, heif_error* error) {
  heif_image* decoded = nullptr;
  *error = heif_decode_image(handle, &decoded, heif_colorspace_undefined, heif_chroma_undefined, nullptr);
  HeifPointer<heif_image> image(decoded);
  if (error->code != heif_error_Ok || IsCopyableHeifLayout(image.get())) return image;
  image.reset();
  decoded = nullptr;
  *error = heif_decode_image(handle, &decoded, heif_colorspace_RGB, heif_chroma_444, nullptr);
  return HeifPointer<heif_image>(decoded);
}

// What libheif holds of a picture at its peak, before our copy of it is
// made: the picture in two layouts while it converts colours, each of one
// plane per colour and alpha, two bytes a sample deeper than 8 bits.
// Measured: a 16384 x 16384 grid peaks at 8.8 bytes a pixel with our copy.
uint64_t LibheifPeakBytes(const heif_image_handle* handle, int width, int height) {
  const uint64_t planes = heif_image_handle_has_alpha_channel(handle) ? 4 : 3;
  const uint64_t sampleBytes = heif_image_handle_get_luma_bits_per_pixel(handle) > 8 ? 2 : 1;
  return 2 * uint64_t(width) * uint64_t(height) * planes * sampleBytes;
}

void DecodeInto(FileBytes file, Image& out, ProgressMeter& progress) {
  HeifPointer<heif_context> context(heif_context_alloc());
  if (!context) return Fail(out, kOutOfMemory);
  // libheif's own security limits (image size, tile and box counts) stay on.
  heif_error error = heif_context_read_from_memory_without_copy(context.get(), file.data, file.size, nullptr);
  if (error.code != heif_error_Ok) return FailFor(error, file, out);
  heif_image_handle* primary = nullptr;
  error = heif_context_get_primary_image_handle(context.get(), &primary);
  const HeifPointer<heif_image_handle> handle(primary);
  if (error.code != heif_error_Ok) return FailFor(error, file, out);
  // 32 bits: libheif's decoded planes are held beside our copy.
  const int width = heif_image_handle_get_width(handle.get()), height = heif_image_handle_get_height(handle.get());
  if (const char* refusal = CheckDimensions(width, height, 32)) return Fail(out, refusal);
  // A grid of tiles states its size twice; libheif allocates by the grid's
  // own, checked against this limit (sides below it), so it cannot exceed
  // what was checked.
  heif_context_set_maximum_image_size_limit(context.get(), std::max(width, height) + 1);
  progress.Report(10);
  AdmitDecodeMemory(LibheifPeakBytes(handle.get(), width, height));
  const HeifPointer<heif_image> image = Decode(handle.get(), &error);
  if (error.code != heif_error_Ok || !image) return FailFor(error, file, out);
  progress.Report(80);
  if (!CopyHeifPixels(image.get(), heif_image_handle_is_premultiplied_alpha(handle.get()) != 0, out)) return;
  HeifColoursToSrgb(handle.get(), *out);
}

}  // namespace

void DecodeHeif(FileBytes file, Image& out, ProgressMeter& progress) {
  InitialiseOnce();
  // libheif is C++ inside and throws through its C interface: out of
  // memory, a thread it could not start (std::system_error), or worse.
  // Each is this picture's failure, never the end of the program.
  try {
    DecodeInto(file, out, progress);
  } catch (const std::bad_alloc&) {
    Fail(out, kOutOfMemory);
  } catch (const std::system_error&) {
    Fail(out, kOutOfMemory);
  } catch (...) {
    Fail(out, kCorrupt);
  }
}

}  // namespace imaging::codecs
