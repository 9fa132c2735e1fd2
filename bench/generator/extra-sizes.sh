#!/usr/bin/env bash
# The cost and the effect of the extra picture sizes, on synthetic
# 12-megapixel JPEGs (made here, or taken from PICTURE_DIR).
# Usage: bench/generator/extra-sizes.sh BUILD_DIR [PICTURE_DIR]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
cli="$build/cli/lumivista-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -n "${2:-}" ]]; then
  pictures=("$2"/*.jpg)
else
  mkdir -p "$work/pictures"
  "$build/bench/generator/generator_floor" make "$work/pictures" 20
  pictures=("$work/pictures"/*.jpg)
fi

# The extra picture sizes: Modern as shipped (twice-size thumbnails and screen
# pictures) against Modern with those keys taken out, 20 pictures, default
# jobs, run alternately so both see the same load on a shared machine.
mkdir -p "$work/templates"
cp -r "$build/cli/template/Modern" "$work/templates/Alles"
cp -r "$build/cli/template/Modern" "$work/templates/Nichts"
sed -i 's/%%\(MINI\(SRCSET\|WIDTH\|HEIGHT\)\|SCREEN[A-Z]*\)%%/1/g' "$work/templates/Nichts"/*.htm
"$cli" new "$work/extra.lva" "${pictures[@]:0:20}" >/dev/null
# Wall seconds depend on what else the machine runs; CPU seconds (user and
# system) much less, so both are reported, raw and best of five.
declare -A wall=() cpu=()
for round in 1 2 3 4 5; do
  for design in Nichts Alles; do
    rm -rf "$work/$design"
    /usr/bin/time -f "%e %U %S" -o "$work/time.txt" "$cli" build --quiet --template "$design" \
      --template-dir "$work/templates" "$work/extra.lva" "$work/$design/index.htm" >/dev/null
    read -r e u s <"$work/time.txt"
    wall[$design]="${wall[$design]:-} $e"
    cpu[$design]="${cpu[$design]:-} $(awk -v u="$u" -v s="$s" 'BEGIN { printf "%.2f", u + s }')"
  done
done
[[ $(ls "$work/Nichts/pics" | wc -l) -eq 20 && $(ls "$work/Alles/screen" | wc -l) -eq 20 ]] ||
  { echo "extra sizes bench: a build did not write every picture" >&2; exit 1; }
best() { tr ' ' '\n' <<<"$1" | sed '/^$/d' | sort -g | head -1; }
for kind in wall cpu; do
  declare -n times=$kind
  awk -v k="$kind" -v n="$(best "${times[Nichts]}")" -v a="$(best "${times[Alles]}")" -v rn="${times[Nichts]}" \
      -v ra="${times[Alles]}" 'BEGIN { printf "extra sizes, 20 pictures, %s seconds: nothing new %s (runs:%s), everything %s (runs:%s): ratio %.3f (goal <= 1.35)\n", k, n, rn, a, ra, a / n }'
done

# The album of everything loaded as a phone loads it (headless Chromium).
if command -v node >/dev/null && command -v chromium >/dev/null; then
  first=$(basename "${pictures[0]}" .jpg)
  echo "as a phone loads it (390 x 844, scale 3), Modern, 20 pictures:"
  node "$(dirname "$0")/../../tests/generator/phoneload.js" "$work/Alles" index.htm "html/$first.htm" | sed 's/^/  /'
fi
