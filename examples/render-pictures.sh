#!/usr/bin/env bash
# Renders the demo album's sample pictures into the folder given as $1
# (default: beside this script). Everything is drawn here with ImageMagick,
# with fixed seeds so every run gives the same pictures: no picture is
# downloaded or copied. The set covers the formats and depths the program
# reads: JPEG with an EXIF rotation, PNG with alpha, an 8-bit GIF, 4-bit and
# 1-bit BMPs, a portrait and a panorama.
set -euo pipefail
out=${1:-$(cd "$(dirname "$0")" && pwd)}
mkdir -p "$out"
cd "$out"

# Sky from `top` to `bottom` colour with soft plasma clouds; the arguments
# after the first five continue the convert command.
sky() { # width height top bottom seed ...
  convert -size "$1x$2" "gradient:$3-$4" \
    \( -seed "$5" -size "$1x$2" plasma:white-grey70 -blur 0x18 -colorspace Gray \) \
    -compose soft-light -composite -compose over "${@:6}"
}

# Sunset over the sea, stored lying on its side with an EXIF orientation of
# 6 (turn 90 degrees clockwise to show), as cameras held upright write it.
sky 1600 1200 '#1d2b64' '#f8b36a' 11 \
  -fill '#ffd27f' -draw 'circle 800,760 800,660' \
  \( -size 1600x460 gradient:'#2a3f6e'-'#0b1733' \) -geometry +0+740 -composite \
  -fill '#ffcf87' -draw 'rectangle 760,745 840,750' -draw 'rectangle 730,780 870,784' \
  -draw 'rectangle 700,830 900,834' -draw 'rectangle 680,900 920,905' \
  -rotate -90 -quality 92 sonnenuntergang-raw.jpg
# APP1 segment right after the start marker: "Exif", a little-endian TIFF
# header and one IFD entry, Orientation (0x0112, SHORT) = 6.
{
  head -c 2 sonnenuntergang-raw.jpg
  printf '\xff\xe1\x00\x22Exif\x00\x00II*\x00\x08\x00\x00\x00\x01\x00'
  printf '\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00\x00\x00\x00\x00'
  tail -c +3 sonnenuntergang-raw.jpg
} >"Sonnenuntergang am Meer.jpg"
rm sonnenuntergang-raw.jpg

# Mountains in front of a transparent sky: PNG with alpha.
convert -size 1400x900 xc:none \
  -fill '#5b6f8c' -draw 'polygon 0,900 0,520 180,330 320,470 520,220 700,430 860,300 1060,520 1220,380 1400,480 1400,900' \
  -fill '#f4f6fa' -draw 'polygon 470,280 520,220 575,290 545,275 515,300' -draw 'polygon 145,370 180,330 215,372 180,360' \
  -fill '#3d5a40' -draw 'polygon 0,900 0,680 240,600 470,690 760,590 1010,700 1400,620 1400,900' \
  \( -seed 5 -size 1400x900 plasma:'#2f4f30'-'#6f8f4a' -blur 0x2 \) -compose atop -composite \
  -compose over "Berge im Abendlicht.png"

# Flower meadow as an 8-bit GIF.
convert -seed 21 -size 1200x900 plasma:'#2e7d32'-'#9ccc65' -blur 0x3 \
  -fill '#e53935' -draw 'circle 200,300 228,300' -draw 'circle 640,520 676,520' -draw 'circle 980,260 1004,260' \
  -fill '#fdd835' -draw 'circle 420,640 446,640' -draw 'circle 860,760 890,760' -draw 'circle 300,760 318,760' \
  -fill '#f5f5f5' -draw 'circle 760,200 780,200' -draw 'circle 120,560 140,560' -draw 'circle 1080,600 1100,600' \
  -fill '#fff59d' -draw 'circle 200,300 208,300' -draw 'circle 640,520 650,520' -draw 'circle 760,200 766,200' \
  -colors 256 "Blumenwiese.gif"

# Forest with 16 colours: a 4-bit BMP.
convert -seed 8 -size 1024x768 plasma:'#1b3a1f'-'#6b8e23' -blur 0x4 \
  -fill '#4e342e' -draw 'rectangle 180,300 215,768' -draw 'rectangle 520,260 560,768' -draw 'rectangle 830,340 860,768' \
  -fill '#2e5d34' -draw 'polygon 120,380 197,60 275,380' -draw 'polygon 450,350 540,20 630,350' -draw 'polygon 770,420 845,120 920,420' \
  -colors 16 -type Palette "Wald im Herbst.bmp"

# Snowy hill at night, black and white: a 1-bit BMP.
convert -seed 13 -size 1024x768 gradient:'#202020'-'#d0d0d0' \
  -fill white -draw 'ellipse 512,900 700,340 180,360' -draw 'circle 820,150 870,150' \
  -monochrome "Schnee 1-bit.bmp"

# Lighthouse on a cliff: a portrait JPEG.
sky 900 1350 '#5fa8d3' '#cfe8f7' 17 \
  -fill '#6d5843' -draw 'polygon 0,1350 0,1050 300,980 620,1060 900,1000 900,1350' \
  -fill '#f2f2f2' -draw 'polygon 380,1000 420,420 500,420 540,1000' \
  -fill '#c62828' -draw 'polygon 392,820 404,640 516,640 528,820' -draw 'polygon 412,520 416,470 504,470 508,520' \
  -fill '#37474f' -draw 'rectangle 405,360 515,420' -fill '#ffeb3b' -draw 'rectangle 425,375 495,410' \
  -fill '#263238' -draw 'polygon 395,360 460,300 525,360' \
  -quality 90 "Leuchtturm.jpg"

# Lake panorama: a wide JPEG.
sky 3200 900 '#87b5e5' '#e3eef9' 29 \
  -fill '#4a6a55' -draw 'polygon 0,560 300,420 600,500 950,380 1300,520 1700,400 2100,530 2500,410 2900,500 3200,450 3200,620 0,620' \
  \( -size 3200x300 gradient:'#5d8fb8'-'#1f4566' \) -geometry +0+600 -composite \
  -fill '#f5f5f5' -draw 'polygon 1500,700 1540,610 1545,700' -fill '#6d4c41' -draw 'rectangle 1480,700 1570,712' \
  -quality 90 "Seepanorama.jpg"

# Harbour at dusk: 24-bit PNG without alpha.
sky 1280 960 '#283e51' '#f0a35e' 41 \
  \( -size 1280x360 gradient:'#35506b'-'#10202f' \) -geometry +0+600 -composite \
  -fill '#212121' -draw 'rectangle 100,500 180,620' -draw 'rectangle 230,470 330,620' -draw 'rectangle 900,520 1040,620' \
  -fill '#ffca28' -draw 'rectangle 250,500 265,515' -draw 'rectangle 290,540 305,555' -draw 'rectangle 930,550 945,565' \
  -fill '#5d4037' -draw 'polygon 520,640 820,640 780,690 560,690' -fill '#eeeeee' -draw 'polygon 660,640 660,450 760,630' \
  -type TrueColor "Hafen (Abend).png"

# Autumn leaves, close up: a plain JPEG.
convert -seed 57 -size 1200x800 plasma:'#bf360c'-'#ffb300' -blur 0x6 \
  -fill '#6d4c41' -stroke '#4e342e' -strokewidth 6 -draw 'line 0,650 1200,420' -stroke none \
  -fill '#e65100' -draw 'ellipse 300,300 120,60 0,360' -fill '#ffa000' -draw 'ellipse 780,520 140,70 0,360' \
  -fill '#c62828' -draw 'ellipse 950,220 100,50 0,360' \
  -quality 88 "Herbstlaub.jpg"

echo "render-pictures: $(ls -1 | grep -Ec '\.(jpg|png|gif|bmp)$') pictures in $out"
