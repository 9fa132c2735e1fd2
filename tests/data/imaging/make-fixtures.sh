#!/usr/bin/env bash
# Writes the picture fixtures of the imaging tests with encoders that are not
# ours: Python (BMP and PNG written byte by byte) and ImageMagick's convert.
# Every picture shows the same 5 x 3 pattern (see pattern below and
# ImagingFixtures.h); run from anywhere, it rewrites this folder's pictures.
set -euo pipefail
cd "$(dirname "$0")"
python3 ./write_fixtures.py
im() { convert "$@"; }

# JPEG: 32 x 16, red left half, blue right half (colours checked with a tolerance).
im -size 16x16 xc:'#FF0000' -size 16x16 xc:'#0000FF' +append -quality 95 halves.ppm
im halves.ppm -quality 95 -sampling-factor 1x1 jpeg-baseline.jpg
im halves.ppm -quality 95 -sampling-factor 1x1 -interlace Plane jpeg-progressive.jpg
im halves.ppm -colorspace Gray -quality 95 jpeg-grey.jpg
im halves.ppm -colorspace CMYK -quality 95 -sampling-factor 1x1 jpeg-cmyk.jpg
for o in 3 6 8; do python3 ./write_fixtures.py --exif "$o" jpeg-baseline.jpg "jpeg-exif-$o.jpg"; done
rm -f halves.ppm

# The 5 x 3 pattern through ImageMagick.
im pattern.ppm -define png:exclude-chunks=date,time -interlace PNG png-interlaced-im.png
im pattern.ppm -define png:exclude-chunks=date,time -define png:color-type=2 png-rgb-im.png
im pattern.ppm gif-pattern.gif
im pattern-tall.ppm -interlace GIF gif-interlaced.gif
im pattern.ppm -transparent '#000000' gif-transparent.gif
im pattern.ppm -threshold 50% -type bilevel gif-bilevel.gif
im pattern.ppm -type TrueColor -compress lzw tiff-rgb.tif
im pattern.ppm -type Palette tiff-palette.tif
im pattern.ppm -type TrueColor -define tiff:endian=msb -compress zip tiff-rgb-msb.tif
im pattern.ppm -colorspace Gray -depth 8 tiff-grey.tif
im pattern.ppm -define webp:lossless=true webp-lossless.webp
im pattern.ppm -alpha set -channel A -fx 'i==0 && j==0 ? 0 : 1' +channel -define webp:lossless=true webp-alpha.webp
im pattern.ppm -type Palette -compress RLE BMP3:bmp-rle8-im.bmp
im pattern.ppm -type TrueColor BMP3:bmp-24-im.bmp
cp png-rgb-8.png png-named-as.jpg
rm -f pattern.ppm pattern-tall.ppm
