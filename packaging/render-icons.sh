#!/usr/bin/env bash
# Renders the PNG icons from the scalable one (rsvg-convert from librsvg2-bin).
# Run after editing the SVG and commit the PNGs with it.
set -euo pipefail
cd "$(dirname "$0")/icons/hicolor"
for size in 48 256; do
  rsvg-convert -w "$size" -h "$size" scalable/apps/web-lumivista.svg -o "${size}x${size}/apps/web-lumivista.png"
done
