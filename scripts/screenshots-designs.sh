#!/usr/bin/env bash
# Screenshots of every shipped design (overview page and one detail page) for
# the README, rendered by headless Chromium from the demo album. Run by hand
# after `make demo`; not part of the tests. The phone screenshots need node.
# Usage: scripts/screenshots-designs.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
out="$root/docs/screenshots"
browser=$(command -v chromium || command -v chromium-browser || true)
[[ -n "$browser" ]] || { echo "screenshots: install chromium first (apt-get install chromium)" >&2; exit 1; }
[[ -d "$build/demo-designs" ]] || "$root/scripts/make-demo.sh" "$build" >/dev/null

shot() { # page picture width height
  local profile
  profile=$(mktemp -d)
  "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
    --disable-sync --no-first-run --hide-scrollbars --user-data-dir="$profile" \
    --screenshot="$2" --window-size="$3,$4" "file://$1" >/dev/null 2>&1
  rm -rf "$profile"
}

mkdir -p "$out"
while IFS= read -r design; do
  album="$build/demo-designs/$design"
  name=$(echo "$design" | tr 'A-Z' 'a-z')
  shot "$album/index.htm" "$out/design-$name-overview.png" 1100 900
  shot "$album/html/Leuchtturm.htm" "$out/design-$name-detail.png" 1100 900
  echo "screenshots: $design"
done < <("$build/cli/lumivista-cli" templates)
# The responsive grid of Modern at a phone's width.
shot "$build/demo-designs/Modern/index.htm" "$out/design-modern-phone.png" 390 844
# Each design on a phone screen of scale 3 (390 x 844 CSS pixels), as
# tests/generator/phoneload.js loads it from a local server: the top of the
# overview and the whole detail page, the three designs side by side.
phone=$(mktemp -d)
overviews=() details=()
while IFS= read -r design; do
  node "$root/tests/generator/phoneload.js" "$build/demo-designs/$design" index.htm html/Leuchtturm.htm \
    "$phone/$design" >/dev/null
  convert "$phone/$design-overview.png" -crop 1170x1500+0+0 +repage "$phone/$design-top.png"
  overviews+=("$phone/$design-top.png")
  details+=("$phone/$design-detail.png")
done < <("$build/cli/lumivista-cli" templates)
convert "${overviews[@]}" -bordercolor white -border 12 +append "$out/phone-overview.png"
convert "${details[@]}" -bordercolor white -border 12 +append "$out/phone-detail.png"
rm -rf "$phone"
echo "screenshots: phone"
