// The codec table and what is derived from it: the open filter's text and
// which codec a file's first bytes pick.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/codecs/CodecTable.h"
#include "support/ImagingFixtures.h"

namespace {

using imaging::codecs::Codec;
using imaging::codecs::FileBytes;

imaging::codecs::FileBytes BytesOf(const std::vector<char>& bytes) {
  return {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
}

const Codec* CodecListing(const std::string& extension) {
  for (const Codec& codec : imaging::codecs::Codecs()) {
    if (std::find(codec.extensions.begin(), codec.extensions.end(), extension) != codec.extensions.end()) return &codec;
  }
  return nullptr;
}

bool Never(FileBytes) { return false; }
bool Always(FileBytes) { return true; }
void NoDecode(FileBytes, imaging::Image&, imaging::codecs::ProgressMeter&) {}

TEST(CodecTable, FilterListsEveryMaskFirstThenOnePairPerCodec) {
  constexpr const char* kFirst[] = {"aa", "ab"};
  constexpr const char* kSecond[] = {"b"};
  const Codec codecs[] = {{"A-Bilder (*.aa)", kFirst, Never, false, NoDecode},
                          {"B-Bilder", kSecond, Never, false, NoDecode}};
  EXPECT_EQ(imaging::codecs::OpenFilterText(codecs),
            "Alle Bilddateien|*.aa;*.ab;*.b|A-Bilder (*.aa)|*.aa;*.ab|B-Bilder|*.b");
}

TEST(CodecTable, ShortSignaturesAreAskedLastWhateverTheirPlace) {
  constexpr const char* kNone[] = {"x"};
  const Codec codecs[] = {{"short", kNone, Always, true, NoDecode}, {"long", kNone, Always, false, NoDecode}};
  EXPECT_STREQ(imaging::codecs::FindCodec(FileBytes{nullptr, 0}, codecs)->filterName, "long");

  // "BM" opens a bitmap, but here it is the size of a HEIF file's first box.
  std::vector<char> heif = {'B', 'M', 0, 0, 'f', 't', 'y', 'p', 'h', 'e', 'i', 'c', 0, 0, 0, 0};
  EXPECT_EQ(imaging::codecs::FindCodec(BytesOf(heif))->decode, CodecListing("heic")->decode);
  EXPECT_EQ(imaging::codecs::FindCodec(BytesOf({'B', 'M', 0, 0}))->decode, CodecListing("bmp")->decode);
}

TEST(CodecTable, EveryFixtureIsReadByTheCodecItsExtensionNames) {
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(fixtures::Path("")))) {
    const std::string name = entry.path().filename().string();
    if (name.find("named-as") != std::string::npos) continue;  // content and name differ on purpose
    const std::string extension = entry.path().extension().string();
    const Codec* listed = extension.size() > 1 ? CodecListing(extension.substr(1)) : nullptr;
    if (!listed) continue;
    SCOPED_TRACE(name);
    const std::vector<char> bytes = fixtures::ReadBytes(entry.path().string());
    EXPECT_TRUE(listed->recognises(BytesOf(bytes)));
    const Codec* found = imaging::codecs::FindCodec(BytesOf(bytes));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->decode, listed->decode);
    ++checked;
  }
  EXPECT_GE(checked, 40);
  EXPECT_EQ(imaging::codecs::FindCodec(BytesOf({'G', 'I', 'F', '8', '8', 'a'})), nullptr);
}

}  // namespace
