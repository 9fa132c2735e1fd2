#!/usr/bin/env bash
# Updating an album in place: an album of 300 synthetic 12-megapixel JPEGs
# built fresh with `lumivista-cli build`, then updated after one comment
# change and updated with nothing changed (`build --update`), in one run.
# Prints the three wall times, the comment update as a share of the fresh
# build, and how many files the update with nothing changed wrote (found by
# their change times).
# Usage: bench/update/run.sh BUILD_DIR [PICTURES]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
count=${2:-300}
cli="$build/cli/lumivista-cli"
floor="$build/bench/generator/generator_floor"
for exe in "$cli" "$floor"; do
  [[ -x "$exe" ]] || { echo "update bench: $exe is missing; build first" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "update bench: needs GNU time (/usr/bin/time)" >&2; exit 1; }
command -v jq >/dev/null || { echo "update bench: needs jq" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/pictures"
"$floor" make "$work/pictures" "$count" >/dev/null
mapfile -t all < <(ls "$work/pictures"/*.jpg)
"$cli" new "$work/album.lva" "${all[@]}" >/dev/null

seconds() { # command...
  /usr/bin/time -f "%e" -o "$work/time.txt" "$@" >/dev/null
  cat "$work/time.txt"
}

fresh_s=$(seconds "$cli" build --quiet "$work/album.lva" "$work/out/index.htm")

sleep 1.1  # change times below have one-second granularity on some file systems
touch "$work/marker"
nothing_s=$(seconds "$cli" build --quiet --update "$work/album.lva" "$work/out/index.htm")
written=$(find "$work/out" -newer "$work/marker" -o -cnewer "$work/marker" | wc -l)

middle=$((count / 2))
"$cli" show --json "$work/album.lva" |
  jq ".pictures[$middle].comment = \"Ein neuer Kommentar\"" >"$work/album.json"
"$cli" new "$work/album.lva" --json "$work/album.json" >/dev/null
comment_s=$(seconds "$cli" build --quiet --update "$work/album.lva" "$work/out/index.htm")
pages=$(find "$work/out" -newer "$work/album.json" -type f | wc -l)

awk -v n="$count" -v f="$fresh_s" -v c="$comment_s" -v z="$nothing_s" -v w="$written" -v p="$pages" 'BEGIN {
  printf "%d pictures: fresh build %.2f s; update after one comment change %.2f s (%.1f %% of the fresh build, %d files written);", n, f, c, 100 * c / f, p
  printf " update with nothing changed %.2f s (%.1f %%), %d files written\n", z, 100 * z / f, w }'
echo "goals: the comment update at most 3 % of the fresh build; nothing changed writes no file"
