#!/usr/bin/env bash
# Whole-run benchmark: albums of 20 and 40 synthetic 12-megapixel JPEGs built
# with `lumivista-cli build`, against the floor (the same decoding and
# encoding done with libjpeg-turbo directly). Prints pictures and megapixels
# per second, the ratio to the floor and the peak resident memory (best of
# three runs each).
# Usage: bench/generator/run.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
cli="$build/cli/lumivista-cli"
floor="$build/bench/generator/generator_floor"
for exe in "$cli" "$floor"; do
  [[ -x "$exe" ]] || { echo "generator bench: $exe is missing; build first" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "generator bench: needs GNU time (/usr/bin/time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/pictures"
"$floor" make "$work/pictures" 40
mapfile -t all < <(ls "$work/pictures"/*.jpg)

# Wall seconds, CPU seconds and peak resident kilobytes of a command, the
# best of three runs (`prepare` runs before each). The ratio is taken on CPU
# time, which other work on the machine barely moves.
measure() { # prepare command...
  local prepare=$1
  shift
  : >"$work/times.txt"
  for _ in 1 2 3; do
    $prepare
    /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "$@" >/dev/null
    cat "$work/time.txt" >>"$work/times.txt"
  done
  awk 'NR == 1 || $1 < w { w = $1 } NR == 1 || $2 + $3 < c { c = $2 + $3 } $4 > m { m = $4 }
       END { printf "%s %.2f %s\n", w, c, m }' "$work/times.txt"
}

run() { # count
  local n=$1 pictures=("${all[@]:0:$1}")
  "$cli" new "$work/album$n.lva" "${pictures[@]}" >/dev/null
  mkdir -p "$work/floor$n/pics" "$work/floor$n/mini"
  read -r floor_s floor_cpu floor_kb < <(measure true "$floor" floor "$work/floor$n" "${pictures[@]}")
  # Each build starts from an empty folder, as a second run would add numbered files.
  read -r run_s run_cpu run_kb < <(measure "rm -rf $work/out$n" "$cli" build --quiet "$work/album$n.lva" "$work/out$n/index.htm")
  awk -v n="$n" -v fs="$floor_s" -v fc="$floor_cpu" -v rs="$run_s" -v rc="$run_cpu" -v rk="$run_kb" -v fk="$floor_kb" 'BEGIN {
    printf "%2d pictures: build %.2f s wall, %.2f s CPU (%.2f pictures/s, %.1f MP/s of CPU); floor %.2f s wall, %.2f s CPU; ratio %.3f (CPU), %.3f (wall); peak RSS %.0f MB (floor %.0f MB)\n",
      n, rs, rc, n / rc, n * 12 / rc, fs, fc, rc / fc, rs / fs, rk / 1024, fk / 1024 }'
}

run 20
run 40
