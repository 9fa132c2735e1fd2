#include "imaging/codecs/HeifBrands.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace imaging::codecs {
namespace {

constexpr std::string_view kHevcBrands[] = {"heic", "heix", "hevc", "heim", "heis", "hevm"};
constexpr std::string_view kAv1Brands[] = {"avif", "avis"};
constexpr std::string_view kGenericBrands[] = {"mif1", "msf1"};

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

template <size_t N>
bool Lists(const std::string_view (&brands)[N], std::string_view brand) {
  return std::find(std::begin(brands), std::end(brands), brand) != std::end(brands);
}

// True when `accept` holds for the major brand or a compatible brand. The
// box may run past the end of a truncated file; only the bytes present count.
template <class Accept>
bool AnyBrand(FileBytes file, Accept accept) {
  if (file.size < 16 || std::memcmp(file.data + 4, "ftyp", 4) != 0) return false;
  const uint32_t boxSize = BigEndian32(file.data);
  if (boxSize < 16) return false;
  const size_t end = std::min<size_t>(boxSize, file.size);
  auto brandAt = [&](size_t at) { return std::string_view(reinterpret_cast<const char*>(file.data + at), 4); };
  if (accept(brandAt(8))) return true;
  for (size_t at = 16; at + 4 <= end; at += 4) {
    if (accept(brandAt(at))) return true;
  }
  return false;
}

}  // namespace

bool IsHeifFamily(FileBytes file) {
  return AnyBrand(file, [](std::string_view brand) {
    return Lists(kHevcBrands, brand) || Lists(kAv1Brands, brand) || Lists(kGenericBrands, brand);
  });
}

}  // namespace imaging::codecs
