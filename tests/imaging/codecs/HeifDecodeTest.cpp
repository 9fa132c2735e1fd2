// HEIC and AVIF files written by heif-enc from the project's fixtures:
// pixels, depths, alpha, grey, rotation and mirroring, and damaged files.
#include <gtest/gtest.h>

#include <cstring>

#include "support/HeifFixtures.h"
#include "support/TempFolder.h"

namespace {

using fixtures::kPattern;
using fixtures::PatternAt;
using fixtures::Rgb;
using heiffixtures::BlowUp;
using heiffixtures::ExpectBlocks;
using heiffixtures::HeifEnc;

constexpr int kHeifTolerance = 10;

class HeifDecode : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string File(const std::string& name) const { return folder.Path(name); }

  // The fixture pattern in the given format, from an 8-bit RGB PNG.
  std::string Encoded(const std::string& name, const std::string& options = "-q 92") {
    const std::string source = File("pattern.png");
    if (!std::filesystem::exists(source)) BlowUp("png-rgb-8.png", "", "PNG24:" + source);
    HeifEnc(source, File(name), options);
    return File(name);
  }
};

TEST_F(HeifDecode, HevcAndAv1PicturesMatchTheirSourceWhateverTheirName) {
  for (const char* name : {"pattern.heic", "pattern.avif"}) {
    SCOPED_TRACE(name);
    const std::string path = Encoded(name);
    imaging::Image guard;
    const imaging::RasterImage& image = fixtures::Open(guard, path);
    EXPECT_EQ(imaging::DibBitCount(image), 24u);
    ExpectBlocks(image, kHeifTolerance, PatternAt);
    // Recognised by content: the same bytes under a JPEG name open alike.
    std::filesystem::copy_file(path, File("renamed.jpg"), std::filesystem::copy_options::overwrite_existing);
    imaging::Image renamed;
    ExpectBlocks(fixtures::Open(renamed, File("renamed.jpg")), kHeifTolerance, PatternAt);
  }
}

TEST_F(HeifDecode, TenAndTwelveBitPicturesComeOutWithEightBits) {
  BlowUp("png-rgb-8.png", "-depth 16", "PNG48:" + File("deep.png"));
  // heif-enc's AV1 path takes 16-bit input only with 4:2:2 chroma.
  const std::pair<const char*, const char*> cases[] = {{"ten.heic", "-q 92 -b 10"},
                                                       {"ten.avif", "-q 92 -b 10 -p chroma=422"},
                                                       {"twelve.avif", "-q 92 -b 12 -p chroma=422"}};
  for (const auto& [name, options] : cases) {
    SCOPED_TRACE(name);
    HeifEnc(File("deep.png"), File(name), options);
    imaging::Image guard;
    const imaging::RasterImage& image = fixtures::Open(guard, File(name));
    EXPECT_EQ(imaging::DibBitCount(image), 24u);
    ExpectBlocks(image, kHeifTolerance, PatternAt);
  }
}

TEST_F(HeifDecode, AlphaIsCompositedOverWhite) {
  BlowUp("png-rgba-8.png", "", "PNG32:" + File("alpha.png"));
  for (const char* name : {"alpha.heic", "alpha.avif"}) {
    SCOPED_TRACE(name);
    HeifEnc(File("alpha.png"), File(name));
    imaging::Image guard;
    ExpectBlocks(fixtures::Open(guard, File(name)), kHeifTolerance,
                 [](int x, int y) { return fixtures::OverWhite(kPattern[y][x], fixtures::kAlpha[x]); });
  }
}

TEST_F(HeifDecode, MonochromePicturesAreEightBitGreyLikeAGreyJpeg) {
  BlowUp("png-grey-8.png", "", File("grey.png"));
  BlowUp("png-grey-alpha-8.png", "", File("grey-alpha.png"));
  const std::pair<const char*, bool> cases[] = {{"grey", false}, {"grey-alpha", true}};
  for (const auto& [name, transparent] : cases) {
    SCOPED_TRACE(name);
    HeifEnc(File(name) + ".png", File(name) + ".avif");  // AV1 keeps grey pictures monochrome
    imaging::Image guard;
    const imaging::RasterImage& image = fixtures::Open(guard, File(name) + ".avif");
    ASSERT_NE(image.Pixels, nullptr) << image.ErrorText;
    EXPECT_EQ(imaging::DibBitCount(image), 8u);
    for (int i = 0; i < 256; ++i) {
      EXPECT_EQ(image.Info->bmiColors[i].rgbRed, i);
      EXPECT_EQ(image.Info->bmiColors[i].rgbBlue, i);
    }
    ExpectBlocks(image, kHeifTolerance, [transparent = transparent](int x, int y) {
      const int grey = fixtures::Grey(x, y, 8);
      const int v = transparent ? fixtures::OverWhite(grey, fixtures::kAlpha[x]) : grey;
      return Rgb{v, v, v};
    });
  }
}

// Phones store the sensor's pixels and an irot/imir transformation; the
// rotated file here also carries heif-enc's copy of an EXIF orientation 6,
// which must not turn the picture a second time.
TEST_F(HeifDecode, RotatedAndMirroredPicturesComeOutUpright) {
  BlowUp("png-rgb-8.png", "-rotate -90 -quality 97", File("sideways.jpg"));
  heiffixtures::WriteFile(File("sideways.jpg"), heiffixtures::WithSegment(heiffixtures::ReadFile(File("sideways.jpg")),
                                                                          0xE1, heiffixtures::ExifOrientation(6)));
  BlowUp("png-rgb-8.png", "-flop", "PNG24:" + File("mirrored.png"));
  BlowUp("png-rgb-8.png", "-flip", "PNG24:" + File("upside-down.png"));
  const std::tuple<const char*, std::string, std::vector<uint8_t>> cases[] = {
      {"sideways.heic", File("sideways.jpg"), heiffixtures::RotationBox(3)},
      {"mirrored.heic", File("mirrored.png"), heiffixtures::MirrorBox(1)},
      {"mirrored.avif", File("mirrored.png"), heiffixtures::MirrorBox(1)},
      {"upside-down.heic", File("upside-down.png"), heiffixtures::MirrorBox(0)}};
  for (const auto& [name, source, box] : cases) {
    SCOPED_TRACE(name);
    HeifEnc(source, File(name));
    if (source.ends_with(".jpg")) {
      const std::vector<uint8_t> heic = heiffixtures::ReadFile(File(name));
      ASSERT_NE(std::search(heic.begin(), heic.end(), std::begin("Exif"), std::end("Exif") - 1), heic.end());
    }
    const auto edited = heiffixtures::AddPrimaryProperty(heiffixtures::ReadFile(File(name)), box);
    ASSERT_FALSE(edited.empty());
    heiffixtures::WriteFile(File(name), edited);
    imaging::Image guard;
    ExpectBlocks(fixtures::Open(guard, File(name)), kHeifTolerance, PatternAt);
  }
}

TEST_F(HeifDecode, TruncatedAndGarbageFilesAreRefusedAsDamaged) {
  const std::vector<uint8_t> whole = heiffixtures::ReadFile(Encoded("whole.heic"));
  std::vector<std::vector<uint8_t>> damaged;
  for (const size_t length : {size_t{24}, whole.size() / 3, whole.size() / 2, whole.size() - 40}) {
    damaged.emplace_back(whole.begin(), whole.begin() + long(length));
  }
  // The header intact, everything after it noise.
  std::vector<uint8_t> noise(whole.begin(), whole.begin() + 32);
  for (int i = 0; i < 3000; ++i) noise.push_back(uint8_t(i * 7919 % 251));
  damaged.push_back(noise);
  for (const auto& bytes : damaged) {
    SCOPED_TRACE(bytes.size());
    heiffixtures::WriteFile(File("damaged.heic"), bytes);
    imaging::Image guard;
    const imaging::RasterImage& image = fixtures::Open(guard, File("damaged.heic"));
    EXPECT_EQ(image.Pixels, nullptr);
    EXPECT_EQ(std::string(image.ErrorText), fixtures::kCorruptText);
  }
}

// An ftyp box and nothing more: a HEIF brand, major or compatible, makes it
// a damaged picture; an MP4 video's brands leave it unknown.
TEST_F(HeifDecode, TheFamilyIsRecognisedByTheBrandsOfItsFtypBox) {
  auto ftyp = [](const std::string& major, const std::string& compatible) {
    const std::string box = std::string(
                                "\0\0\0\x14"
                                "ftyp",
                                8) +
                            major + std::string(4, '\0') + compatible;
    return std::vector<uint8_t>(box.begin(), box.end());
  };
  auto message = [&](const std::vector<uint8_t>& bytes) {
    heiffixtures::WriteFile(File("ftyp"), bytes);
    imaging::Image guard;
    return std::string(fixtures::Open(guard, File("ftyp")).ErrorText);
  };
  for (const char* brand : {"heic", "heix", "hevc", "heim", "heis", "hevm", "mif1", "msf1", "avif", "avis"}) {
    SCOPED_TRACE(brand);
    EXPECT_EQ(message(ftyp(brand, "isom")), fixtures::kCorruptText);
    EXPECT_EQ(message(ftyp("isom", brand)), fixtures::kCorruptText);
  }
  EXPECT_EQ(message(ftyp("isom", "mp42")), "Unbekanntes Dateiformat");
}

// libheif 1.15 has no VVC decoder: a picture labelled VVC stands for every
// compression the machine cannot decode.
TEST_F(HeifDecode, PictureWhoseCompressionThisMachineCannotDecodeNamesIt) {
  std::vector<uint8_t> bytes = heiffixtures::ReadFile(Encoded("vvc.heic"));
  const std::string hevc = "hvc1";
  const auto type = std::search(bytes.begin(), bytes.end(), hevc.begin(), hevc.end());
  ASSERT_NE(type, bytes.end());
  std::copy_n("vvc1", 4, type);
  heiffixtures::WriteFile(File("vvc.heic"), bytes);
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, File("vvc.heic"));
  EXPECT_EQ(image.Pixels, nullptr);
  EXPECT_EQ(std::string(image.ErrorText),
            "Das Bild ist mit VVC (H.266) komprimiert; daf\xFCr fehlt auf diesem Rechner der Decoder");
}

TEST_F(HeifDecode, PictureBeyondThePixelCapIsRefusedBeforeDecoding) {
  // An AVIF's size is the one its ispe box states (an HEIC's comes from the
  // HEVC stream): full box header, then width and height.
  std::vector<uint8_t> bytes = heiffixtures::ReadFile(Encoded("huge.avif"));
  const auto ispe = std::search(bytes.begin(), bytes.end(), std::begin("ispe"), std::end("ispe") - 1);
  ASSERT_NE(ispe, bytes.end());
  for (const int offset : {8, 12}) {
    const uint8_t side[4] = {0, 0, 0x4E, 0x20};  // 20000 x 20000 > 2^28 pixels
    std::copy(side, side + 4, ispe + offset);
  }
  heiffixtures::WriteFile(File("huge.avif"), bytes);
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, File("huge.avif"));
  EXPECT_EQ(image.Pixels, nullptr);
  EXPECT_EQ(std::string(image.ErrorText), "Das Bild ist zu gro\xDF");
}

// Four tiles of 80 x 80 (the pattern cut square) make a 160 x 160 grid; one
// that claims 160 x 160 but lays its tiles out to 320 x 320 is refused
// before libheif allocates the larger picture.
TEST_F(HeifDecode, GridPictureLargerThanItsStatedSizeIsRefused) {
  BlowUp("png-rgb-8.png", "-crop 80x48+0+0 -extent 80x80", "PNG24:" + File("square.png"));
  HeifEnc(File("square.png"), File("square.heic"));
  std::vector<uint8_t> grid = heiffixtures::GridOfOneTile(heiffixtures::ReadFile(File("square.heic")), 2, 2);
  ASSERT_FALSE(grid.empty());
  heiffixtures::WriteFile(File("grid.heic"), grid);
  imaging::Image honest;
  EXPECT_EQ(imaging::DibWidth(fixtures::Open(honest, File("grid.heic"))), 160);
  const auto idat = std::search(grid.begin(), grid.end(), std::begin("idat"), std::end("idat") - 1);
  ASSERT_NE(idat, grid.end());
  const uint8_t larger[4] = {0x01, 0x40, 0x01, 0x40};  // 320 x 320 after version, flags, rows, columns
  std::copy(larger, larger + 4, idat + 8);
  heiffixtures::WriteFile(File("liar.heic"), grid);
  imaging::Image guard;
  const imaging::RasterImage& image = fixtures::Open(guard, File("liar.heic"));
  EXPECT_EQ(image.Pixels, nullptr);
  EXPECT_EQ(std::string(image.ErrorText), "Das Bild ist zu gro\xDF");
}

}  // namespace
