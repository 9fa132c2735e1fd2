#include "imaging/codecs/HeifColour.h"

#include <memory>
#include <optional>
#include <vector>

#include "imaging/colour/SrgbConversion.h"

namespace imaging::codecs {
namespace {

struct NclxFree {
  void operator()(heif_color_profile_nclx* nclx) const { heif_nclx_color_profile_free(nclx); }
};

constexpr double kD65X = 0.3127, kD65Y = 0.3290;

// The colour primaries codes of ITU-T H.273 that describe RGB spaces.
std::optional<colour::Primaries> PrimariesOf(int code) {
  switch (code) {
    case 1:
      return colour::Primaries{0.640, 0.330, 0.300, 0.600, 0.150, 0.060, kD65X, kD65Y};
    case 4:
      return colour::Primaries{0.670, 0.330, 0.210, 0.710, 0.140, 0.080, 0.310, 0.316};
    case 5:
      return colour::Primaries{0.640, 0.330, 0.290, 0.600, 0.150, 0.060, kD65X, kD65Y};
    case 6:
    case 7:
      return colour::Primaries{0.630, 0.340, 0.310, 0.595, 0.155, 0.070, kD65X, kD65Y};
    case 8:
      return colour::Primaries{0.681, 0.319, 0.243, 0.692, 0.145, 0.049, 0.310, 0.316};
    case 9:
      return colour::Primaries{0.708, 0.292, 0.170, 0.797, 0.131, 0.046, kD65X, kD65Y};
    case 11:
      return colour::Primaries{0.680, 0.320, 0.265, 0.690, 0.150, 0.060, 0.314, 0.351};
    case 12:
      return colour::Primaries{0.680, 0.320, 0.265, 0.690, 0.150, 0.060, kD65X, kD65Y};  // Display P3
    case 22:
      return colour::Primaries{0.630, 0.340, 0.295, 0.605, 0.155, 0.077, kD65X, kD65Y};
    default:
      return std::nullopt;  // unspecified, or no RGB space: left as decoded
  }
}

colour::ToneCurve CurveOf(heif_transfer_characteristics transfer) {
  switch (transfer) {
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_M:
      return colour::ToneCurve::Gamma22;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_B_G:
      return colour::ToneCurve::Gamma28;
    case heif_transfer_characteristic_linear:
      return colour::ToneCurve::Linear;
    // sRGB, and the BT.709 family that browsers show with the sRGB curve.
    default:
      return colour::ToneCurve::Srgb;
  }
}

}  // namespace

// An embedded ICC profile wins over the nclx description, as in libheif.
void HeifColoursToSrgb(const heif_image_handle* handle, RasterImage& image) {
  if (const size_t size = heif_image_handle_get_raw_color_profile_size(handle)) {
    std::vector<uint8_t> profile(size);
    if (heif_image_handle_get_raw_color_profile(handle, profile.data()).code == heif_error_Ok) {
      colour::EmbeddedProfileToSrgb(image, profile.data(), size);
    }
    return;
  }
  heif_color_profile_nclx* described = nullptr;
  const heif_error error = heif_image_handle_get_nclx_color_profile(handle, &described);
  // libheif may hand back a profile together with an error (an unknown
  // transfer code, say): ours to free either way.
  const std::unique_ptr<heif_color_profile_nclx, NclxFree> nclx(described);
  if (error.code != heif_error_Ok || !nclx) return;
  if (const auto primaries = PrimariesOf(nclx->color_primaries)) {
    colour::ColourSpaceToSrgb(image, *primaries, CurveOf(nclx->transfer_characteristics));
  }
}

}  // namespace imaging::codecs
