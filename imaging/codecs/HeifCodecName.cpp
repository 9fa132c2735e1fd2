#include "imaging/codecs/HeifCodecName.h"

#include <string_view>

namespace imaging::codecs {
namespace {

uint64_t BigEndian(const uint8_t* p, int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | p[i];
  return value;
}

// Calls visit(type, payloadStart, payloadEnd) for each box in [from, to)
// until it returns true; stops at the first box that does not fit.
template <class Visit>
bool AnyBox(FileBytes file, size_t from, size_t to, Visit visit) {
  while (from + 8 <= to) {
    uint64_t size = BigEndian(file.data + from, 4);
    size_t header = 8;
    if (size == 1 && from + 16 <= to) size = BigEndian(file.data + from + 8, 8), header = 16;
    if (size == 0) size = to - from;
    if (size < header || size > to - from) return false;
    const std::string_view type(reinterpret_cast<const char*>(file.data + from + 4), 4);
    if (visit(type, from + header, from + size)) return true;
    from += size;
  }
  return false;
}

bool IsCodedPicture(std::string_view type) {
  for (const std::string_view other : {"grid", "iden", "iovl", "Exif", "mime", "uri "}) {
    if (type == other) return false;
  }
  return true;
}

// An item info entry of version 2 or 3: item ID, protection index, type.
bool ReadEntry(FileBytes file, size_t start, size_t end, std::string& type) {
  if (start + 4 > end) return false;
  const int version = file.data[start];
  const size_t at = start + 4 + (version == 3 ? 4 : 2) + 2;
  if (version < 2 || at + 4 > end) return false;
  const std::string_view found(reinterpret_cast<const char*>(file.data + at), 4);
  if (!IsCodedPicture(found)) return false;
  type = found;
  return true;
}

std::string NameOf(const std::string& itemType) {
  if (itemType == "hvc1") return "HEVC (H.265)";
  if (itemType == "av01") return "AV1";
  if (itemType == "vvc1") return "VVC (H.266)";
  if (itemType == "avc1") return "AVC (H.264)";
  if (itemType == "evc1") return "EVC";
  if (itemType == "j2k1") return "JPEG 2000";
  if (itemType == "jpeg") return "JPEG";
  return "\x84" + itemType + "\x93";  // German quotes in Windows-1252
}

}  // namespace

std::string CodedItemType(FileBytes file) {
  std::string type;
  AnyBox(file, 0, file.size, [&](std::string_view name, size_t start, size_t end) {
    if (name != "meta") return false;
    return AnyBox(file, start + 4, end, [&](std::string_view child, size_t from, size_t to) {
      if (child != "iinf" || from + 4 > to) return false;
      const size_t entries = from + 4 + (file.data[from] == 0 ? 2 : 4);
      return AnyBox(file, entries, to, [&](std::string_view entry, size_t a, size_t b) {
        return entry == "infe" && ReadEntry(file, a, b, type);
      });
    });
  });
  return type;
}

void FailForMissingDecoder(FileBytes file, Image& out) {
  const std::string type = CodedItemType(file);
  const std::string message =
      type.empty() ? "F\xFCr die Kompression dieses Bildes fehlt auf diesem Rechner der Decoder"
                   : "Das Bild ist mit " + NameOf(type) + " komprimiert; daf\xFCr fehlt auf diesem Rechner der Decoder";
  Fail(out, message.c_str());
}

}  // namespace imaging::codecs
