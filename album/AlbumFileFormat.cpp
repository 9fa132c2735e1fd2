#include "album/AlbumFileFormat.h"

#include <cstdint>
#include <limits>

#include "platform/Paths.h"

namespace album {

namespace {

// Smallest picture record: two empty texts and two flag bytes.
constexpr size_t kMinimumRecordSize = 4 + 4 + 1 + 1;

void PutInt32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

bool PutText(std::string& out, std::string_view text) {
  if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
  PutInt32(out, static_cast<uint32_t>(text.size()));
  out += text;
  return true;
}

// The name a picture is stored under: bare when it lies in the album's folder.
std::string_view StoredName(const std::string& fileName, const std::string& albumFolder) {
  if (platform::SameFolder(platform::ExtractFilePath(fileName), albumFolder))
    return std::string_view(fileName).substr(albumFolder.size());
  return fileName;
}

// Reads fields from the file's bytes; every read checks what is left, so no
// length the file cannot hold is ever allocated, and a failed read leaves
// the reader failed.
class FieldReader {
 public:
  explicit FieldReader(AlbumByteSource& source) : source_(source), left_(source.Size()) {}

  uint64_t Left() const { return left_; }
  bool Failed() const { return failed_; }

  int32_t Int32() {
    const std::string raw = Bytes(4);
    if (raw.size() < 4) return 0;
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(raw[i]);
    return static_cast<int32_t>(value);
  }

  uint8_t Flag() {
    const std::string raw = Bytes(1);
    return (!raw.empty() && raw[0] != 0) ? 1 : 0;
  }

  std::string Text() {
    const int32_t length = Int32();
    if (length < 0) failed_ = true;
    return Bytes(length < 0 ? 0 : static_cast<size_t>(length));
  }

  std::string Bytes(size_t count) {
    if (failed_ || count > left_) {
      failed_ = true;
      return {};
    }
    std::string raw(count, '\0');
    if (!source_.Read(raw.data(), count)) {
      failed_ = true;
      return {};
    }
    left_ -= count;
    return raw;
  }

 private:
  AlbumByteSource& source_;
  uint64_t left_;
  bool failed_ = false;
};

class MemorySource : public AlbumByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool Read(char* target, size_t count) override {
    if (count > bytes_.size() - position_) return false;
    bytes_.copy(target, count, position_);
    position_ += count;
    return true;
  }

 private:
  std::string_view bytes_;
  size_t position_ = 0;
};

AlbumPicture ReadPicture(FieldReader& reader, const std::string& albumFolder) {
  AlbumPicture picture;
  picture.FileName = reader.Text();
  if (!picture.FileName.empty() && platform::ExtractFilePath(picture.FileName).empty())
    picture.FileName.insert(0, albumFolder);
  picture.Comment = reader.Text();
  picture.ShowComment = reader.Flag();
  picture.Marked = reader.Flag();
  return picture;
}

void ReadSettings(FieldReader& reader, AlbumSettings& settings) {
  settings.BackgroundColour = static_cast<uint32_t>(reader.Int32());
  settings.ThumbWidth = reader.Int32();
  settings.ThumbHeight = reader.Int32();
  settings.PicturesPerRow = reader.Int32();
  settings.Border = reader.Int32();
  settings.DetailBorder = reader.Int32();
  settings.Caption = reader.Text();
  settings.FreeText = reader.Text();
  settings.DetailCaption = reader.Text();
  // Older files end here; a cut-off colour is a damaged file.
  if (reader.Left() > 0) settings.BackgroundColour2 = static_cast<uint32_t>(reader.Int32());
  BringIntoRange(settings);
}

}  // namespace

std::optional<std::string> EncodeAlbumFile(const AlbumPictures& pictures, const AlbumSettings& settings,
                                           const std::string& albumPath) {
  const std::string albumFolder = platform::ExtractFilePath(albumPath);
  std::string out(kAlbumFileHeader);
  PutInt32(out, static_cast<uint32_t>(PictureCount(pictures)));
  for (const AlbumPicture& picture : pictures) {
    if (!PutText(out, StoredName(picture.FileName, albumFolder))) return std::nullopt;
    if (!PutText(out, picture.Comment.value_or(std::string()))) return std::nullopt;
    out += static_cast<char>(picture.ShowComment);
    out += static_cast<char>(picture.Marked);
  }
  PutInt32(out, settings.BackgroundColour);
  for (const int32_t value :
       {settings.ThumbWidth, settings.ThumbHeight, settings.PicturesPerRow, settings.Border, settings.DetailBorder})
    PutInt32(out, static_cast<uint32_t>(value));
  for (const std::string* text : {&settings.Caption, &settings.FreeText, &settings.DetailCaption})
    if (!PutText(out, *text)) return std::nullopt;
  PutInt32(out, settings.BackgroundColour2);
  return out;
}

std::optional<LoadedAlbum> DecodeAlbumFile(std::string_view bytes, const std::string& albumPath,
                                           const AlbumSettings& current) {
  MemorySource source(bytes);
  return DecodeAlbumFile(source, albumPath, current);
}

std::optional<LoadedAlbum> DecodeAlbumFile(AlbumByteSource& source, const std::string& albumPath,
                                           const AlbumSettings& current) {
  FieldReader reader(source);
  if (reader.Bytes(kAlbumFileHeader.size()) != kAlbumFileHeader) return std::nullopt;
  const int32_t count = reader.Int32();
  // Refuse a count the bytes cannot hold before reserving memory for it.
  if (reader.Failed() || count < 0 || static_cast<uint64_t>(count) > reader.Left() / kMinimumRecordSize)
    return std::nullopt;

  const std::string albumFolder = platform::IncludeTrailingDelimiter(platform::ExtractFilePath(albumPath));
  LoadedAlbum album{{}, current};
  album.Pictures.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count && !reader.Failed(); ++i) album.Pictures.push_back(ReadPicture(reader, albumFolder));
  ReadSettings(reader, album.Settings);
  if (reader.Failed()) return std::nullopt;
  return album;
}

}  // namespace album
