#include "imaging/colour/SrgbConversion.h"

#include <lcms2.h>

#include <cmath>
#include <memory>

namespace imaging::colour {
namespace {

struct ProfileCloser {
  void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

struct TransformDeleter {
  void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using Transform = std::unique_ptr<void, TransformDeleter>;

struct CurveDeleter {
  void operator()(cmsToneCurve* curve) const { cmsFreeToneCurve(curve); }
};
using Curve = std::unique_ptr<cmsToneCurve, CurveDeleter>;

// sRGB's primaries as ICC profiles store them: XYZ adapted to D50.
constexpr cmsCIEXYZ kSrgbColorants[3] = {{0.4361, 0.2225, 0.0139}, {0.3851, 0.7169, 0.0971}, {0.1431, 0.0606, 0.7141}};
constexpr Primaries kSrgbPrimaries{0.64, 0.33, 0.30, 0.60, 0.15, 0.06, 0.3127, 0.3290};

bool Near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

double SrgbToLinear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }

bool HasSrgbCurve(cmsHPROFILE profile, cmsTagSignature tag) {
  const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(profile, tag));
  if (!curve) return false;
  for (const double v : {0.02, 0.1, 0.3, 0.5, 0.8, 1.0}) {
    if (!Near(cmsEvalToneCurveFloat(curve, cmsFloat32Number(v)), SrgbToLinear(v), 0.003)) return false;
  }
  return true;
}

// Matrix-and-curve profiles with sRGB's primaries and curves, whatever
// their name or version: converting through them would change nothing but
// rounding, and would cost time.
bool DescribesSrgb(cmsHPROFILE profile) {
  if (cmsGetColorSpace(profile) == cmsSigGrayData) return HasSrgbCurve(profile, cmsSigGrayTRCTag);
  const cmsTagSignature colorants[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
  const cmsTagSignature curves[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
  for (int i = 0; i < 3; ++i) {
    const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, colorants[i]));
    if (!xyz || !Near(xyz->X, kSrgbColorants[i].X, 0.002) || !Near(xyz->Y, kSrgbColorants[i].Y, 0.002) ||
        !Near(xyz->Z, kSrgbColorants[i].Z, 0.002) || !HasSrgbCurve(profile, curves[i])) {
      return false;
    }
  }
  return true;
}

Transform ToSrgb(cmsHPROFILE source, cmsUInt32Number inputFormat, cmsUInt32Number outputFormat) {
  const Profile srgb(cmsCreate_sRGBProfile());
  if (!srgb) return nullptr;
  return Transform(cmsCreateTransform(source, inputFormat, srgb.get(), outputFormat, INTENT_PERCEPTUAL,
                                      cmsFLAGS_BLACKPOINTCOMPENSATION));
}

void ConvertPixels(RasterImage& image, cmsHPROFILE source) {
  const Transform transform = ToSrgb(source, TYPE_BGR_8, TYPE_BGR_8);
  if (!transform) return;
  const int32_t width = DibWidth(image), height = DibHeight(image);
  for (int32_t row = 0; row < height; ++row) {
    uint8_t* pixels = image.Pixels + int64_t{row} * image.Stride;
    cmsDoTransform(transform.get(), pixels, pixels, cmsUInt32Number(width));
  }
}

// A grey or palette image keeps its indices; its colours change, in all
// three places the record holds them.
void ConvertColourTable(RasterImage& image, cmsHPROFILE source, bool grey) {
  const Transform transform = ToSrgb(source, grey ? TYPE_GRAY_8 : TYPE_RGB_8, TYPE_RGB_8);
  if (!transform) return;
  const uint32_t count = image.Info->bmiHeader.biClrUsed < 256 ? image.Info->bmiHeader.biClrUsed : 256;
  for (uint32_t i = 0; i < count; ++i) {
    RGBQUAD& entry = image.Info->bmiColors[i];
    const uint8_t in[3] = {entry.rgbRed, entry.rgbGreen, entry.rgbBlue};
    uint8_t out[3];
    cmsDoTransform(transform.get(), in, out, 1);
    entry = RGBQUAD{out[2], out[1], out[0], 0};
    image.Colours[i] = PALETTEENTRY{out[0], out[1], out[2], 0};
    if (image.PaletteHandle) image.PaletteHandle->entries[i] = image.Colours[i];
  }
}

void Convert(RasterImage& image, cmsHPROFILE source) {
  if (!image.Pixels || !source || DescribesSrgb(source)) return;
  const cmsColorSpaceSignature space = cmsGetColorSpace(source);
  const uint32_t bits = DibBitCount(image);
  if (bits == 24 && space == cmsSigRgbData) return ConvertPixels(image, source);
  if (bits <= 8 && (space == cmsSigRgbData || space == cmsSigGrayData)) {
    ConvertColourTable(image, source, space == cmsSigGrayData);
  }
}

bool IsSrgb(const Primaries& p, ToneCurve curve) {
  const Primaries& s = kSrgbPrimaries;
  constexpr double t = 0.002;
  return curve == ToneCurve::Srgb && Near(p.redX, s.redX, t) && Near(p.redY, s.redY, t) &&
         Near(p.greenX, s.greenX, t) && Near(p.greenY, s.greenY, t) && Near(p.blueX, s.blueX, t) &&
         Near(p.blueY, s.blueY, t) && Near(p.whiteX, s.whiteX, t) && Near(p.whiteY, s.whiteY, t);
}

Curve MakeCurve(ToneCurve curve) {
  switch (curve) {
    case ToneCurve::Gamma22:
      return Curve(cmsBuildGamma(nullptr, 2.2));
    case ToneCurve::Gamma28:
      return Curve(cmsBuildGamma(nullptr, 2.8));
    case ToneCurve::Linear:
      return Curve(cmsBuildGamma(nullptr, 1.0));
    case ToneCurve::Srgb:
      break;
  }
  const cmsFloat64Number srgb[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
  return Curve(cmsBuildParametricToneCurve(nullptr, 4, srgb));
}

}  // namespace

void EmbeddedProfileToSrgb(RasterImage& image, const uint8_t* profile, size_t size) {
  if (!profile || size == 0 || !image.Pixels) return;
  const Profile source(cmsOpenProfileFromMem(profile, cmsUInt32Number(size)));
  Convert(image, source.get());
}

void ColourSpaceToSrgb(RasterImage& image, const Primaries& primaries, ToneCurve curve) {
  if (!image.Pixels || IsSrgb(primaries, curve)) return;
  const cmsCIExyY white{primaries.whiteX, primaries.whiteY, 1.0};
  const cmsCIExyYTRIPLE rgb{{primaries.redX, primaries.redY, 1.0},
                            {primaries.greenX, primaries.greenY, 1.0},
                            {primaries.blueX, primaries.blueY, 1.0}};
  const Curve shared = MakeCurve(curve);
  if (!shared) return;
  cmsToneCurve* curves[3] = {shared.get(), shared.get(), shared.get()};
  const Profile source(cmsCreateRGBProfile(&white, &rgb, curves));
  Convert(image, source.get());
}

}  // namespace imaging::colour
