// The box editor of HeifFixtures.h. Reads only the box layout heif-enc
// writes: 32-bit box sizes, meta before mdat, iloc offsets from the file's start.
#include <optional>

#include "support/HeifFixtures.h"

namespace heiffixtures {
namespace {

struct Box {
  size_t start, size;
  size_t end() const { return start + size; }
};

uint64_t ReadBig(const std::vector<uint8_t>& bytes, size_t at, int width) {
  uint64_t value = 0;
  for (int i = 0; i < width; ++i) value = value << 8 | bytes.at(at + i);
  return value;
}

void WriteBig(std::vector<uint8_t>& bytes, size_t at, int width, uint64_t value) {
  for (int i = width - 1; i >= 0; --i, value >>= 8) bytes.at(at + i) = uint8_t(value);
}

// The first child box named `type` among the boxes from `from` to `to`.
std::optional<Box> Find(const std::vector<uint8_t>& bytes, size_t from, size_t to, const char* type) {
  for (size_t at = from; at + 8 <= to;) {
    const size_t size = ReadBig(bytes, at, 4);
    if (size < 8 || at + size > to) return std::nullopt;
    if (std::equal(type, type + 4, bytes.begin() + long(at) + 4)) return Box{at, size};
    at += size;
  }
  return std::nullopt;
}

size_t CountChildren(const std::vector<uint8_t>& bytes, Box box) {
  size_t count = 0;
  for (size_t at = box.start + 8; at + 8 <= box.end(); at += ReadBig(bytes, at, 4)) ++count;
  return count;
}

// Moves every file offset in iloc that points behind `boundary` by `delta`.
void ShiftLocations(std::vector<uint8_t>& bytes, Box iloc, size_t boundary, size_t delta) {
  const int version = bytes[iloc.start + 8];
  const int offsetSize = bytes[iloc.start + 12] >> 4, lengthSize = bytes[iloc.start + 12] & 15;
  const int baseSize = bytes[iloc.start + 13] >> 4, indexSize = version > 0 ? bytes[iloc.start + 13] & 15 : 0;
  size_t at = iloc.start + 14;
  const int idSize = version < 2 ? 2 : 4;
  const uint64_t items = ReadBig(bytes, at, idSize);
  at += idSize;
  for (uint64_t item = 0; item < items; ++item) {
    at += idSize;
    const int method = version > 0 ? bytes[at + 1] & 15 : 0;
    at += (version > 0 ? 2 : 0) + 2;
    const uint64_t base = ReadBig(bytes, at, baseSize);
    const bool fromFile = method == 0;
    if (fromFile && baseSize > 0 && base >= boundary) WriteBig(bytes, at, baseSize, base + delta);
    at += baseSize;
    const uint64_t extents = ReadBig(bytes, at, 2);
    at += 2;
    for (uint64_t e = 0; e < extents; ++e) {
      at += indexSize;
      const uint64_t offset = ReadBig(bytes, at, offsetSize);
      if (fromFile && base < boundary && base + offset >= boundary) WriteBig(bytes, at, offsetSize, offset + delta);
      at += offsetSize + lengthSize;
    }
  }
}

void Grow(std::vector<uint8_t>& bytes, Box box, size_t by) { WriteBig(bytes, box.start, 4, box.size + by); }

}  // namespace

std::vector<uint8_t> AddPrimaryProperty(std::vector<uint8_t> file, const std::vector<uint8_t>& property) {
  const auto meta = Find(file, 0, file.size(), "meta");
  if (!meta) return {};
  const size_t children = meta->start + 12;
  const auto pitm = Find(file, children, meta->end(), "pitm");
  const auto iloc = Find(file, children, meta->end(), "iloc");
  const auto iprp = Find(file, children, meta->end(), "iprp");
  if (!pitm || !iloc || !iprp) return {};
  const auto ipco = Find(file, iprp->start + 8, iprp->end(), "ipco");
  const auto ipma = Find(file, iprp->start + 8, iprp->end(), "ipma");
  if (!ipco || !ipma || ipco->start > ipma->start || iloc->start > iprp->start) return {};
  const uint64_t primary = ReadBig(file, pitm->start + 12, file[pitm->start + 8] == 0 ? 2 : 4);
  const size_t index = CountChildren(file, *ipco) + 1;

  // The association: essential bit and the property's index, one or two bytes.
  const int version = file[ipma->start + 8];
  const bool wide = file[ipma->start + 11] & 1;
  const std::vector<uint8_t> association =
      wide ? std::vector<uint8_t>{uint8_t(0x80 | index >> 8), uint8_t(index)} : std::vector<uint8_t>{uint8_t(0x80 | index)};
  size_t at = ipma->start + 16, entry = 0;
  for (uint64_t n = ReadBig(file, ipma->start + 12, 4); n > 0 && !entry; --n) {
    const int idSize = version < 1 ? 2 : 4;
    const size_t count = file[at + idSize];
    if (ReadBig(file, at, idSize) == primary) entry = at + idSize;
    at += idSize + 1 + count * association.size();
  }
  if (!entry) return {};

  const size_t delta = property.size() + association.size();
  ShiftLocations(file, *iloc, meta->end(), delta);
  const size_t associationsEnd = entry + 1 + file[entry] * association.size();
  file[entry] += 1;
  file.insert(file.begin() + long(associationsEnd), association.begin(), association.end());
  Grow(file, *ipma, association.size());
  file.insert(file.begin() + long(ipco->end()), property.begin(), property.end());
  Grow(file, *ipco, property.size());
  Grow(file, *iprp, delta);
  Grow(file, *meta, delta);
  return file;
}

}  // namespace heiffixtures
