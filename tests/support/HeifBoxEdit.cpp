// The box editor and grid builder of HeifBoxEdit.h. Reads only the box
// layout heif-enc writes: 32-bit box sizes, meta before mdat, iloc offsets
// from the file's start.
#include "support/HeifBoxEdit.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

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

// The boxes both edits start from, and the primary item's id.
struct MetaBoxes {
  Box meta, iloc, iprp, ipco;
  uint64_t primary;
};

std::optional<MetaBoxes> FindMetaBoxes(const std::vector<uint8_t>& file) {
  const auto meta = Find(file, 0, file.size(), "meta");
  if (!meta) return std::nullopt;
  const size_t children = meta->start + 12;
  const auto pitm = Find(file, children, meta->end(), "pitm");
  const auto iloc = Find(file, children, meta->end(), "iloc");
  const auto iprp = Find(file, children, meta->end(), "iprp");
  if (!pitm || !iloc || !iprp) return std::nullopt;
  const auto ipco = Find(file, iprp->start + 8, iprp->end(), "ipco");
  if (!ipco) return std::nullopt;
  return MetaBoxes{*meta, *iloc, *iprp, *ipco, ReadBig(file, pitm->start + 12, file[pitm->start + 8] == 0 ? 2 : 4)};
}

void Grow(std::vector<uint8_t>& bytes, Box box, size_t by) { WriteBig(bytes, box.start, 4, box.size + by); }

// The bytes of item `wanted` (its extents joined), or nothing when it is not
// stored in the file itself.
std::optional<std::vector<uint8_t>> ItemData(const std::vector<uint8_t>& bytes, Box iloc, uint64_t wanted) {
  const int version = bytes[iloc.start + 8];
  const int offsetSize = bytes[iloc.start + 12] >> 4, lengthSize = bytes[iloc.start + 12] & 15;
  const int baseSize = bytes[iloc.start + 13] >> 4, indexSize = version > 0 ? bytes[iloc.start + 13] & 15 : 0;
  const int idSize = version < 2 ? 2 : 4;
  size_t at = iloc.start + 14;
  const uint64_t items = ReadBig(bytes, at, idSize);
  at += idSize;
  for (uint64_t item = 0; item < items; ++item) {
    const uint64_t id = ReadBig(bytes, at, idSize);
    at += idSize;
    const int method = version > 0 ? bytes[at + 1] & 15 : 0;
    at += (version > 0 ? 2 : 0) + 2;
    const uint64_t base = ReadBig(bytes, at, baseSize);
    at += baseSize;
    const uint64_t extents = ReadBig(bytes, at, 2);
    at += 2;
    std::vector<uint8_t> data;
    for (uint64_t e = 0; e < extents; ++e) {
      at += indexSize;
      const uint64_t offset = base + ReadBig(bytes, at, offsetSize);
      const uint64_t length = ReadBig(bytes, at + offsetSize, lengthSize);
      at += offsetSize + lengthSize;
      if (offset + length > bytes.size()) return std::nullopt;
      data.insert(data.end(), bytes.begin() + long(offset), bytes.begin() + long(offset + length));
    }
    if (id == wanted) return method == 0 ? std::optional(data) : std::nullopt;
  }
  return std::nullopt;
}

void PutBig(std::vector<uint8_t>& out, uint64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

void PutType(std::vector<uint8_t>& out, const char* type) { out.insert(out.end(), type, type + 4); }

// A box of `type` around `payload`; a full box when `version` is given.
std::vector<uint8_t> MakeBox(const char* type, const std::vector<uint8_t>& payload, int version = -1) {
  std::vector<uint8_t> box;
  PutBig(box, payload.size() + 8 + (version >= 0 ? 4 : 0), 4);
  PutType(box, type);
  if (version >= 0) PutBig(box, uint64_t(version) << 24, 4);
  box.insert(box.end(), payload.begin(), payload.end());
  return box;
}

std::vector<uint8_t> Joined(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

std::vector<uint8_t> ImageSpatialExtent(uint64_t width, uint64_t height) {
  std::vector<uint8_t> payload;
  PutBig(payload, width, 4);
  PutBig(payload, height, 4);
  return MakeBox("ispe", payload, 0);
}

// The meta box of a grid: item 1 the grid (its description in idat), items
// 2.. the tiles, all pointing at the same coded bytes at `tileOffset`.
std::vector<uint8_t> GridMeta(const std::vector<uint8_t>& hvcC, uint64_t tileSide, int columns, int rows,
                              uint64_t tileOffset, uint64_t tileLength) {
  const int tiles = columns * rows;
  std::vector<uint8_t> handler(4, 0);
  PutType(handler, "pict");
  handler.resize(handler.size() + 13, 0);  // reserved, empty name
  std::vector<uint8_t> primary;
  PutBig(primary, 1, 2);

  std::vector<uint8_t> entries;
  PutBig(entries, 1 + tiles, 2);
  for (int id = 1; id <= 1 + tiles; ++id) {
    std::vector<uint8_t> entry;
    PutBig(entry, id, 2);
    PutBig(entry, 0, 2);
    PutType(entry, id == 1 ? "grid" : "hvc1");
    entry.push_back(0);
    const auto infe = MakeBox("infe", entry, 2);
    entries.insert(entries.end(), infe.begin(), infe.end());
  }
  std::vector<uint8_t> dimg;
  PutBig(dimg, 1, 2);
  PutBig(dimg, tiles, 2);
  for (int id = 2; id <= 1 + tiles; ++id) PutBig(dimg, id, 2);

  const std::vector<uint8_t> properties =
      Joined({hvcC, ImageSpatialExtent(tileSide, tileSide), ImageSpatialExtent(tileSide * columns, tileSide * rows)});
  std::vector<uint8_t> associations;
  PutBig(associations, 1 + tiles, 4);
  associations.insert(associations.end(), {0, 1, 1, 3});  // the grid: its size
  for (int id = 2; id <= 1 + tiles; ++id) {
    PutBig(associations, id, 2);
    associations.insert(associations.end(), {2, 0x81, 2});  // a tile: its coding (essential) and size
  }

  std::vector<uint8_t> grid{0, 0, uint8_t(rows - 1), uint8_t(columns - 1)};
  PutBig(grid, tileSide * columns, 2);
  PutBig(grid, tileSide * rows, 2);

  std::vector<uint8_t> locations{0x44, 0x00};  // 32-bit offsets and lengths, no base offset
  PutBig(locations, 1 + tiles, 2);
  for (int id = 1; id <= 1 + tiles; ++id) {
    PutBig(locations, id, 2);
    PutBig(locations, id == 1 ? 1 : 0, 2);  // construction method: the grid in idat, tiles in the file
    PutBig(locations, 0, 2);
    PutBig(locations, 1, 2);
    PutBig(locations, id == 1 ? 0 : tileOffset, 4);
    PutBig(locations, id == 1 ? grid.size() : tileLength, 4);
  }
  return MakeBox("meta",
                 Joined({MakeBox("hdlr", handler, 0), MakeBox("pitm", primary, 0), MakeBox("iinf", entries, 0),
                         MakeBox("iref", MakeBox("dimg", dimg), 0),
                         MakeBox("iprp", Joined({MakeBox("ipco", properties), MakeBox("ipma", associations, 0)})),
                         MakeBox("idat", grid), MakeBox("iloc", locations, 1)}),
                 0);
}

}  // namespace

std::vector<uint8_t> AddPrimaryProperty(std::vector<uint8_t> file, const std::vector<uint8_t>& property) {
  const auto boxes = FindMetaBoxes(file);
  if (!boxes) return {};
  const auto [meta, iloc, iprp, ipco, primary] = *boxes;
  const auto ipma = Find(file, iprp.start + 8, iprp.end(), "ipma");
  if (!ipma || ipco.start > ipma->start || iloc.start > iprp.start) return {};
  const size_t index = CountChildren(file, ipco) + 1;

  // The association: essential bit and the property's index, one or two bytes.
  const int version = file[ipma->start + 8];
  const bool wide = file[ipma->start + 11] & 1;
  const std::vector<uint8_t> association = wide ? std::vector<uint8_t>{uint8_t(0x80 | index >> 8), uint8_t(index)}
                                                : std::vector<uint8_t>{uint8_t(0x80 | index)};
  size_t at = ipma->start + 16, entry = 0;
  for (uint64_t n = ReadBig(file, ipma->start + 12, 4); n > 0 && !entry; --n) {
    const int idSize = version < 1 ? 2 : 4;
    const size_t count = file[at + idSize];
    if (ReadBig(file, at, idSize) == primary) entry = at + idSize;
    at += idSize + 1 + count * association.size();
  }
  if (!entry) return {};

  const size_t delta = property.size() + association.size();
  ShiftLocations(file, iloc, meta.end(), delta);
  const size_t associationsEnd = entry + 1 + file[entry] * association.size();
  file[entry] += 1;
  file.insert(file.begin() + long(associationsEnd), association.begin(), association.end());
  Grow(file, *ipma, association.size());
  file.insert(file.begin() + long(ipco.end()), property.begin(), property.end());
  Grow(file, ipco, property.size());
  Grow(file, iprp, delta);
  Grow(file, meta, delta);
  return file;
}

std::vector<uint8_t> GridOfOneTile(const std::vector<uint8_t>& file, int columns, int rows) {
  const auto boxes = FindMetaBoxes(file);
  if (!boxes || columns < 1 || rows < 1 || columns > 256 || rows > 256) return {};
  const Box ipco = boxes->ipco;
  const auto hvcC = Find(file, ipco.start + 8, ipco.end(), "hvcC");
  const auto ispe = Find(file, ipco.start + 8, ipco.end(), "ispe");
  const auto tile = ItemData(file, boxes->iloc, boxes->primary);
  if (!hvcC || !ispe || !tile) return {};
  const uint64_t side = ReadBig(file, ispe->start + 12, 4);
  if (side != ReadBig(file, ispe->start + 16, 4) || side * columns > 65535 || side * rows > 65535) return {};

  const std::vector<uint8_t> hvcCBox(file.begin() + long(hvcC->start), file.begin() + long(hvcC->end()));
  const std::vector<uint8_t> type =
      MakeBox("ftyp", {'h', 'e', 'i', 'c', 0, 0, 0, 0, 'm', 'i', 'f', '1', 'h', 'e', 'i', 'c'});
  // The meta box's size does not depend on the offset it holds.
  const size_t metaSize = GridMeta(hvcCBox, side, columns, rows, 0, tile->size()).size();
  const std::vector<uint8_t> gridMeta =
      GridMeta(hvcCBox, side, columns, rows, type.size() + metaSize + 8, tile->size());
  return Joined({type, gridMeta, MakeBox("mdat", *tile)});
}

}  // namespace heiffixtures
