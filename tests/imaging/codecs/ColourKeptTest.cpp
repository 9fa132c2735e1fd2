// Pictures in Adobe RGB or Display P3 keep their colours: decoding converts
// them to sRGB, so the profile-free JPEG copies show what the source shows.
// Untagged and sRGB-tagged pictures decode byte for byte as before, and no
// copy carries EXIF or GPS data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <set>

#include "support/HeifFixtures.h"
#include "support/TempFolder.h"

namespace {

using fixtures::kPattern;
using fixtures::Rgb;
using heiffixtures::BlowUp;
using heiffixtures::ExpectBlocks;
using heiffixtures::Quoted;
using heiffixtures::RunTool;
using heiffixtures::WithSegment;

const std::string kProfiles = "/usr/share/color/icc/";
constexpr int kConvertedTolerance = 14;  // lossy coding of converted colours

// The markers of a JPEG file up to its first scan.
std::set<int> MarkersBeforeScan(const std::vector<uint8_t>& jpeg) {
  std::set<int> markers;
  for (size_t at = 2; at + 4 <= jpeg.size() && jpeg[at] == 0xFF;) {
    markers.insert(jpeg[at + 1]);
    if (jpeg[at + 1] == 0xDA) break;
    at += 2 + (size_t{jpeg[at + 2]} << 8 | jpeg[at + 3]);
  }
  return markers;
}

std::vector<uint8_t> IccSegment(const std::string& profilePath) {
  std::vector<uint8_t> payload{'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1};
  const std::vector<uint8_t> profile = heiffixtures::ReadFile(profilePath);
  payload.insert(payload.end(), profile.begin(), profile.end());
  return payload;
}

// EXIF with a GPS position: IFD0 points at a GPS IFD holding "N" and a latitude.
std::vector<uint8_t> ExifWithGps() {
  return {'E', 'x', 'i',  'f',  0,  0, 'I', 'I', 42, 0, 8,   0, 0, 0,  // little-endian TIFF header, IFD0 at 8
          1,   0,   0x25, 0x88, 4,  0, 1,   0,   0,  0, 26,  0, 0, 0,  // GPSInfo (LONG) -> 26
          0,   0,   0,    0,                                           // no next IFD
          2,   0,   1,    0,    2,  0, 2,   0,   0,  0, 'N', 0, 0, 0,  // GPSLatitudeRef "N"
          2,   0,   5,    0,    1,  0, 0,   0,   56, 0, 0,   0,        // GPSLatitude -> 56
          0,   0,   0,    0,    52, 0, 0,   0,   1,  0, 0,   0};
}

class ColourKept : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string File(const std::string& name) const { return folder.Path(name); }

  void SetUp() override { BlowUp("png-rgb-8.png", "", "PNG24:" + File("pattern.png")); }

  // Opens `path`, writes its copy as the album run does, and checks the copy.
  void ExpectCopyShowsPattern(const std::string& path, int tolerance) {
    imaging::Image picture;
    ExpectBlocks(fixtures::Open(picture, path), tolerance, fixtures::PatternAt);
    if (!picture->Pixels) return;
    const std::string copy = File("copy.jpg");
    ASSERT_EQ(imaging::SaveDib(*picture, copy.c_str(), imaging::kFormatJpeg, nullptr), 1);
    const std::set<int> markers = MarkersBeforeScan(heiffixtures::ReadFile(copy));
    EXPECT_FALSE(markers.count(0xE1)) << "EXIF in the copy";
    EXPECT_FALSE(markers.count(0xE2)) << "a colour profile in the copy: browsers take its pixels as sRGB";
    imaging::Image reopened;
    ExpectBlocks(fixtures::Open(reopened, copy), tolerance + 4, fixtures::PatternAt);
  }

  // The pattern's pixels in Display P3 (same white and curve as sRGB, wider primaries).
  void WriteDisplayP3(const std::string& target) {
    constexpr double kSrgbToP3[3][3] = {
        {0.8224620, 0.1775380, 0.0}, {0.0331942, 0.9668058, 0.0}, {0.0170826, 0.0723974, 0.9105199}};
    auto linear = [](int v) {
      const double c = v / 255.0;
      return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    auto encoded = [](double c) {
      const double v = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
      return int(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    std::ofstream ppm(File("p3.ppm"));
    ppm << "P3\n" << fixtures::kWidth << " " << fixtures::kHeight << "\n255\n";
    for (const auto& row : kPattern) {
      for (const Rgb& c : row) {
        const double in[3] = {linear(c.r), linear(c.g), linear(c.b)};
        for (const auto& m : kSrgbToP3) ppm << encoded(m[0] * in[0] + m[1] * in[1] + m[2] * in[2]) << " ";
      }
      ppm << "\n";
    }
    ppm.close();
    RunTool("convert " + Quoted(File("p3.ppm")) + " -filter point -resize 1600% " + Quoted("PNG24:" + target));
  }
};

TEST_F(ColourKept, AdobeRgbPicturesOfEveryFormatShowTheirSourceColours) {
  const std::string toAdobe = " -profile " + Quoted(kProfiles + "sRGB.icc") + " -profile " +
                              Quoted(kProfiles + "compatibleWithAdobeRGB1998.icc") + " ";
  const std::string source = Quoted(File("pattern.png"));
  RunTool("convert " + source + toAdobe + "-quality 97 " + Quoted(File("adobe.jpg")));
  RunTool("convert " + source + toAdobe + Quoted("PNG24:" + File("adobe.png")));
  RunTool("convert " + source + toAdobe + Quoted(File("adobe.tif")));
  RunTool("convert " + source + toAdobe + Quoted("PNG8:" + File("adobe-palette.png")));  // colour table converted
  RunTool("convert " + source + toAdobe + "-define webp:lossless=true " + Quoted(File("adobe.webp")));
  heiffixtures::HeifEnc(File("adobe.png"), File("adobe.heic"));
  for (const char* name : {"adobe.jpg", "adobe.png", "adobe-palette.png", "adobe.tif", "adobe.webp", "adobe.heic"}) {
    SCOPED_TRACE(name);
    ExpectCopyShowsPattern(File(name), kConvertedTolerance);
  }
  // Without its profile the same file shows other colours: the conversion did the work.
  RunTool("convert " + Quoted(File("adobe.png")) + " +profile '*' " + Quoted("PNG24:" + File("bare.png")));
  imaging::Image bare;
  EXPECT_GT(heiffixtures::Difference(fixtures::PixelAt(fixtures::Open(bare, File("bare.png")), 24, 8), kPattern[0][1]),
            30);
}

// heif-enc 1.15 ignores its --colour_primaries option, so the nclx colour
// description (primaries 12, Display P3; transfer 13, sRGB) goes in by a box
// edit: into the AVIF's own colr box, as a new colr box for the HEIC.
TEST_F(ColourKept, DisplayP3HeifPicturesDescribedByNclxShowTheirSourceColours) {
  WriteDisplayP3(File("p3.png"));
  const std::vector<uint8_t> p3 = heiffixtures::NclxBox(12, 13);
  heiffixtures::HeifEnc(File("p3.png"), File("p3.heic"), "-q 95");
  const auto heic = heiffixtures::AddPrimaryProperty(heiffixtures::ReadFile(File("p3.heic")), p3);
  ASSERT_FALSE(heic.empty());
  heiffixtures::WriteFile(File("p3.heic"), heic);
  heiffixtures::HeifEnc(File("p3.png"), File("p3.avif"), "-q 95");
  std::vector<uint8_t> avif = heiffixtures::ReadFile(File("p3.avif"));
  const auto colr = std::search(avif.begin(), avif.end(), p3.begin() + 4, p3.begin() + 12);
  ASSERT_NE(colr, avif.end());
  std::copy(p3.begin() + 12, p3.end(), colr + 8);
  heiffixtures::WriteFile(File("p3.avif"), avif);
  for (const char* name : {"p3.heic", "p3.avif"}) {
    SCOPED_TRACE(name);
    ExpectCopyShowsPattern(File(name), kConvertedTolerance);
  }
}

// Transfer code 3 is reserved: libheif refuses the description but still
// hands it back, which the sanitizer tree's leak check holds us to free. The
// picture shows as decoded.
TEST_F(ColourKept, HeifPictureWithAnUnknownTransferCodeShowsAsDecoded) {
  heiffixtures::HeifEnc(File("pattern.png"), File("odd.heic"), "-q 95");
  const auto heic =
      heiffixtures::AddPrimaryProperty(heiffixtures::ReadFile(File("odd.heic")), heiffixtures::NclxBox(12, 3));
  ASSERT_FALSE(heic.empty());
  heiffixtures::WriteFile(File("odd.heic"), heic);
  ExpectCopyShowsPattern(File("odd.heic"), 8);
}

// A Hald image holds 46656 colours: an sRGB-to-sRGB conversion would move
// thousands of them by rounding.
TEST_F(ColourKept, UntaggedAndSrgbTaggedPicturesDecodeByteForByteAlike) {
  RunTool("convert hald:6 " + Quoted("PNG24:" + File("colours.png")));
  RunTool("convert " + Quoted(File("colours.png")) + " -strip -quality 90 " + Quoted(File("plain.jpg")));
  const std::vector<uint8_t> plain = heiffixtures::ReadFile(File("plain.jpg"));
  heiffixtures::WriteFile(File("tagged.jpg"), WithSegment(plain, 0xE2, IccSegment(kProfiles + "sRGB.icc")));
  RunTool("convert " + Quoted(File("colours.png")) + " -profile " + Quoted(kProfiles + "sRGB.icc") + " " +
          Quoted("PNG24:" + File("tagged.png")));
  const std::pair<std::string, std::string> pairs[] = {{"plain.jpg", "tagged.jpg"}, {"colours.png", "tagged.png"}};
  for (const auto& [untagged, tagged] : pairs) {
    SCOPED_TRACE(tagged);
    imaging::Image a, b;
    const imaging::RasterImage& first = fixtures::Open(a, File(untagged));
    const imaging::RasterImage& second = fixtures::Open(b, File(tagged));
    ASSERT_NE(first.Pixels, nullptr);
    ASSERT_NE(second.Pixels, nullptr);
    ASSERT_EQ(first.Info->bmiHeader.biSizeImage, second.Info->bmiHeader.biSizeImage);
    EXPECT_EQ(std::memcmp(first.Pixels, second.Pixels, first.Info->bmiHeader.biSizeImage), 0);
  }
}

TEST_F(ColourKept, NoCopyCarriesExifOrGps) {
  RunTool("convert " + Quoted(File("pattern.png")) + " -strip -quality 95 " + Quoted(File("plain.jpg")));
  const std::vector<uint8_t> withGps = WithSegment(heiffixtures::ReadFile(File("plain.jpg")), 0xE1, ExifWithGps());
  heiffixtures::WriteFile(File("gps.jpg"), withGps);
  heiffixtures::HeifEnc(File("gps.jpg"), File("gps.heic"));  // heif-enc keeps the EXIF block
  const std::vector<uint8_t> heic = heiffixtures::ReadFile(File("gps.heic"));
  const std::string exif = "Exif";
  ASSERT_NE(std::search(heic.begin(), heic.end(), exif.begin(), exif.end()), heic.end());
  for (const char* name : {"gps.jpg", "gps.heic"}) {
    SCOPED_TRACE(name);
    ExpectCopyShowsPattern(File(name), kConvertedTolerance);
    const std::vector<uint8_t> copy = heiffixtures::ReadFile(File("copy.jpg"));
    EXPECT_EQ(std::search(copy.begin(), copy.end(), exif.begin(), exif.end()), copy.end());
  }
}

}  // namespace
