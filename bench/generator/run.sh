#!/usr/bin/env bash
# Whole-run benchmark: albums of 20 and 40 synthetic 12-megapixel JPEGs
# (grainy and smooth ones) built with `lumivista-cli build`, against the floor
# of such a build written with the TurboJPEG API. Prints, per album, the
# sequential ratio to the floor (`--jobs 1`), the speed-up of the default
# (one job per core) over `--jobs 1`, and peak resident memory; best of three
# runs each.
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
cores=$(nproc)

# The floor makes a copy and a thumbnail of each picture, so the builds use
# the default design without the extra picture sizes (extra-sizes.sh
# measures those against their own budget).
mkdir -p "$work/templates"
cp -r "$build/cli/template/Klassisch" "$work/templates/Klassisch"
sed -i 's/%%\(MINI\(SRCSET\|WIDTH\|HEIGHT\)\|SCREEN[A-Z]*\)%%/1/g' "$work/templates/Klassisch"/*.htm
plain=(--template Klassisch --template-dir "$work/templates")

# Best wall seconds, best CPU seconds and highest peak resident kilobytes of
# three runs of a command (`prepare` runs before each).
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
  read -r floor_s floor_cpu floor_kb < <(measure "rm -f $work/floor$n/pics/* $work/floor$n/mini/*" \
    "$floor" floor "$work/floor$n" "${pictures[@]}")
  # Each build starts from an empty folder, as a second run would add numbered files.
  read -r one_s one_cpu one_kb < <(measure "rm -rf $work/out$n" \
    "$cli" build --quiet --jobs 1 "${plain[@]}" "$work/album$n.lva" "$work/out$n/index.htm")
  read -r all_s all_cpu all_kb < <(measure "rm -rf $work/out$n" \
    "$cli" build --quiet "${plain[@]}" "$work/album$n.lva" "$work/out$n/index.htm")
  awk -v n="$n" -v c="$cores" -v fs="$floor_s" -v fc="$floor_cpu" -v fk="$floor_kb" \
      -v os="$one_s" -v oc="$one_cpu" -v ok="$one_kb" -v as="$all_s" -v ak="$all_kb" 'BEGIN {
    printf "%2d pictures: floor %.2f s (%.1f pictures/s); --jobs 1 %.2f s: sequential ratio %.3f (wall), %.3f (CPU);", n, fs, n / fs, os, os / fs, oc / fc
    printf " default (%d cores) %.2f s: speed-up %.2f; peak memory %.0f MB default, %.0f MB --jobs 1, %.0f MB floor\n", c, as, os / as, ak / 1024, ok / 1024, fk / 1024 }'
}

run 20
run 40
echo "goals: sequential ratio <= 1.15, speed-up >= 1.8 on 2 cores, peak memory the same for 20 and 40 pictures"

"$(dirname "$0")/extra-sizes.sh" "$build" "$work/pictures"
