#!/usr/bin/env python3
"""Writes BMP and PNG fixtures byte by byte, and the pattern for ImageMagick.

Usage: write_fixtures.py                      writes pattern.ppm, bmp-*.bmp, png-*.png
       write_fixtures.py --exif N IN OUT      copies JPEG IN with an EXIF orientation N
The pattern and the derived index and grey formulas are repeated in
tests/imaging/codecs/ImagingFixtures.h; change both together.
"""
import struct
import sys
import zlib

W, H = 5, 3
PATTERN = [
    [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255), (0, 0, 0)],
    [(18, 52, 86), (120, 130, 140), (250, 5, 128), (0, 128, 255), (77, 77, 77)],
    [(60, 30, 10), (200, 100, 50), (33, 66, 99), (255, 255, 0), (9, 180, 240)],
]
PALETTE_15 = [c for row in PATTERN for c in row]
PALETTE_256 = PALETTE_15 + [(i, i, i) for i in range(15, 256)]
PALETTE_2 = [(10, 20, 30), (200, 210, 220)]
PALETTE_4 = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (250, 250, 250)]
ALPHA = [0, 128, 255, 255, 64]  # by column


def index15(x, y): return y * 5 + x
def index2(x, y): return (x + y) % 2
def index4(x, y): return (x + 2 * y) % 4
def grey(x, y, depth): return (x * 3 + y * 7) % (1 << depth) if depth < 8 else (x * 40 + y * 13) % 256


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- BMP
def pack_bits(values, bits):
    out, acc, n = bytearray(), 0, 0
    for v in values:
        acc = (acc << bits) | v
        n += bits
        if n == 8:
            out.append(acc)
            acc, n = 0, 0
    if n:
        out.append(acc << (8 - n))
    return bytes(out)


def pad4(row): return row + b"\0" * (-len(row) % 4)


def bmp(path, bits, rows_top_down, palette=None, top_down=False, compression=0, masks=None,
        header_size=40, pixel_data=None):
    """rows_top_down: bytes of each picture row from the top, unpadded."""
    if pixel_data is None:
        order = rows_top_down if top_down else list(reversed(rows_top_down))
        pixel_data = b"".join(pad4(r) for r in order)
    entry = 3 if header_size == 12 else 4
    table = b"".join(bytes((b, g, r)) + (b"" if entry == 3 else b"\0") for r, g, b in (palette or []))
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, W, H, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header_size, W, -H if top_down else H, 1, bits, compression,
                           len(pixel_data), 2835, 2835, len(palette or []), 0)
        extra = b""
        if masks and header_size == 40:
            extra = struct.pack("<III", *masks[:3])
        elif header_size > 40:
            m = list(masks or [0, 0, 0, 0]) + [0] * 4
            info += struct.pack("<IIII", *m[:4])
            info += b"\0" * (header_size - 56)
        info += extra
    offset = 14 + len(info) + len(table)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixel_data), 0, 0, offset)
    write(path, header + info + table + pixel_data)


def rle8_data():
    # Rows bottom-up: row 2 as single runs, row 1 absolute, row 0 with a delta
    # that leaves columns 1 and 2 at index 0.
    out = bytearray()
    out += b"".join(bytes((1, index15(x, 2))) for x in range(W)) + b"\0\0"
    out += bytes((0, 5)) + bytes(index15(x, 1) for x in range(W)) + b"\0" + b"\0\0"
    out += bytes((1, index15(0, 0))) + bytes((0, 2, 2, 0)) + bytes((2, index15(3, 0))) + b"\0\0"
    return bytes(out) + b"\0\1"


def rle4_data():
    # Rows bottom-up: the bottom and top rows as one run of two alternating
    # indices, the middle row in absolute mode (5 nibbles, padded to a word).
    run = lambda y: bytes((W, index4(0, y) << 4 | index4(1, y))) + b"\0\0"
    middle = pack_bits([index4(x, 1) for x in range(W)], 4)
    absolute = bytes((0, W)) + middle + b"\0" * (len(middle) % 2) + b"\0\0"
    return run(2) + absolute + run(0) + b"\0\1"


def write_bmps():
    rows = lambda f: [f(y) for y in range(H)]
    bmp("bmp-1.bmp", 1, rows(lambda y: pack_bits([index2(x, y) for x in range(W)], 1)), PALETTE_2)
    bmp("bmp-2.bmp", 2, rows(lambda y: pack_bits([index4(x, y) for x in range(W)], 2)), PALETTE_4)
    bmp("bmp-4.bmp", 4, rows(lambda y: pack_bits([index15(x, y) for x in range(W)], 4)), PALETTE_15 + [(0, 0, 0)])
    bmp("bmp-8.bmp", 8, rows(lambda y: bytes(index15(x, y) for x in range(W))), PALETTE_256)
    bmp("bmp-8-topdown.bmp", 8, rows(lambda y: bytes(index15(x, y) for x in range(W))), PALETTE_256, top_down=True)
    bgr = lambda y: b"".join(bytes((b, g, r)) for r, g, b in PATTERN[y])
    bmp("bmp-24.bmp", 24, rows(bgr))
    bmp("bmp-24-topdown.bmp", 24, rows(bgr), top_down=True)
    bmp("bmp-32.bmp", 32, rows(lambda y: b"".join(bytes((b, g, r, 0)) for r, g, b in PATTERN[y])))
    rgb555 = lambda r, g, b: (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3)
    rgb565 = lambda r, g, b: (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)
    bmp("bmp-16.bmp", 16, rows(lambda y: b"".join(struct.pack("<H", rgb555(*c)) for c in PATTERN[y])))
    bmp("bmp-16-565.bmp", 16, rows(lambda y: b"".join(struct.pack("<H", rgb565(*c)) for c in PATTERN[y])),
        compression=3, masks=(0xF800, 0x07E0, 0x001F))
    bgra = lambda y: b"".join(bytes((b, g, r, ALPHA[x])) for x, (r, g, b) in enumerate(PATTERN[y]))
    bmp("bmp-32-alpha.bmp", 32, rows(bgra), compression=3, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000),
        header_size=124)
    bmp("bmp-rle8.bmp", 8, None, PALETTE_256, compression=1, pixel_data=rle8_data())
    bmp("bmp-rle4.bmp", 4, None, PALETTE_4, compression=2, pixel_data=rle4_data())
    bmp("bmp-os2.bmp", 8, rows(lambda y: bytes(index15(x, y) for x in range(W))), PALETTE_256, header_size=12)


# ---------------------------------------------------------------- PNG
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png_row(samples, depth):
    if depth < 8:
        return pack_bits(samples, depth)
    if depth == 8:
        return bytes(samples)
    return b"".join(struct.pack(">H", s) for s in samples)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def png(path, colour_type, depth, pixel, palette=None, trns=None, interlace=False):
    """pixel(x, y) gives the list of samples of one pixel."""
    raw = bytearray()
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    for x0, y0, dx, dy in passes:
        xs = list(range(x0, W, dx))
        if not xs:
            continue
        for y in range(y0, H, dy):
            raw += b"\0" + png_row([s for x in xs for s in pixel(x, y)], depth)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, depth, colour_type, 0, 0, int(interlace)))
    if palette:
        out += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if trns is not None:
        out += chunk(b"tRNS", trns)
    out += chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b"")
    write(path, out)


def write_pngs():
    png("png-palette-1.png", 3, 1, lambda x, y: [index2(x, y)], PALETTE_2)
    png("png-palette-2.png", 3, 2, lambda x, y: [index4(x, y)], PALETTE_4)
    png("png-palette-4.png", 3, 4, lambda x, y: [index15(x, y)], PALETTE_15)
    png("png-palette-8.png", 3, 8, lambda x, y: [index15(x, y)], PALETTE_256)
    png("png-palette-trns.png", 3, 4, lambda x, y: [index15(x, y)], PALETTE_15, trns=bytes((0, 128)))
    png("png-palette-4-interlaced.png", 3, 4, lambda x, y: [index15(x, y)], PALETTE_15, interlace=True)
    for depth in (1, 2, 4, 8):
        png(f"png-grey-{depth}.png", 0, depth, lambda x, y, d=depth: [grey(x, y, d)])
    png("png-grey-2-interlaced.png", 0, 2, lambda x, y: [grey(x, y, 2)], interlace=True)
    png("png-grey-16.png", 0, 16, lambda x, y: [grey(x, y, 8) * 257])
    png("png-grey-trns.png", 0, 8, lambda x, y: [grey(x, y, 8)], trns=struct.pack(">H", 0))
    png("png-grey-alpha-8.png", 4, 8, lambda x, y: [grey(x, y, 8), ALPHA[x]])
    png("png-rgb-8.png", 2, 8, lambda x, y: list(PATTERN[y][x]))
    png("png-rgb-16.png", 2, 16, lambda x, y: [c * 257 for c in PATTERN[y][x]])
    png("png-rgb-trns.png", 2, 8, lambda x, y: list(PATTERN[y][x]), trns=struct.pack(">HHH", 255, 0, 0))
    png("png-rgba-8.png", 6, 8, lambda x, y: list(PATTERN[y][x]) + [ALPHA[x]])
    png("png-rgba-16.png", 6, 16, lambda x, y: [c * 257 for c in PATTERN[y][x]] + [ALPHA[x] * 257])
    png("png-rgba-8-interlaced.png", 6, 8, lambda x, y: list(PATTERN[y][x]) + [ALPHA[x]], interlace=True)


def write_ppm(path, rows):
    body = "\n".join(" ".join(f"{r} {g} {b}" for r, g, b in row) for row in rows)
    write(path, f"P3\n{W} {len(rows)}\n255\n{body}\n".encode())


def add_exif(orientation, source, target):
    with open(source, "rb") as f:
        jpeg = f.read()
    tiff = b"II*\0" + struct.pack("<I", 8) + struct.pack("<H", 1)
    tiff += struct.pack("<HHIHH", 0x0112, 3, 1, orientation, 0) + struct.pack("<I", 0)
    payload = b"Exif\0\0" + tiff
    write(target, jpeg[:2] + b"\xFF\xE1" + struct.pack(">H", len(payload) + 2) + payload + jpeg[2:])


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "--exif":
        add_exif(int(sys.argv[2]), sys.argv[3], sys.argv[4])
    else:
        write_ppm("pattern.ppm", PATTERN)
        # Nine rows (the pattern three times) so that every interlace pass has rows.
        write_ppm("pattern-tall.ppm", PATTERN * 3)
        write_bmps()
        write_pngs()
