#!/usr/bin/env bash
# A generation run in the window against the same run in the command-line
# tool: one album of photo-like 12-megapixel pictures built twice through the
# main window (offscreen) in one process, the result page shown after the
# first run, then once with lumivista-cli. Prints one line:
#   window run: first F s, second S s, command line C s (CPU: ...)
# Wall seconds first; the CPU seconds of the program's own process follow,
# as they barely move when other work shares the machine.
# Usage: bench/window-run.sh BUILD_DIR
#   WINDOW_RUN_PICTURES  pictures in the album (default 15)
#   WINDOW_RUN_XVFB=1    run the window under Xvfb, as on a desktop without a
#                        GPU, instead of Qt's offscreen platform
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
count=${WINDOW_RUN_PICTURES:-15}
cli="$build/cli/lumivista-cli"
window="$build/bench/window/window_run_bench"
maker="$build/bench/generator/generator_floor"
for exe in "$cli" "$window" "$maker"; do
  [[ -x "$exe" ]] || { echo "window run: $exe is missing; build first" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "window run: needs GNU time (/usr/bin/time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/pictures"
"$maker" make "$work/pictures" "$count" >/dev/null
"$cli" new "$work/album.lva" "$work/pictures"/*.jpg >/dev/null

window_run=("$window")
if [[ ${WINDOW_RUN_XVFB:-0} == 1 ]]; then
  export QT_QPA_PLATFORM=xcb
  window_run=(xvfb-run -a -s "-screen 0 1280x1024x24" "$window")
fi
read -r first second first_cpu second_cpu < <("${window_run[@]}" "$work/album.lva" "$work/window" 2>/dev/null)
/usr/bin/time -f "%e %U %S" -o "$work/time.txt" "$cli" build --quiet "$work/album.lva" "$work/cli/index.htm"
read -r cli_s cli_user cli_sys <"$work/time.txt"
awk -v f="$first" -v s="$second" -v c="$cli_s" -v fc="$first_cpu" -v sc="$second_cpu" -v cu="$cli_user" -v cs="$cli_sys" \
  'BEGIN { printf "window run: first %.2f s, second %.2f s, command line %.2f s (CPU: first %.2f s, second %.2f s, command line %.2f s)\n", f, s, c, fc, sc, cu + cs }'
