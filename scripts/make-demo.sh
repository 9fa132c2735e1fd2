#!/usr/bin/env bash
# Builds the demo album (examples/demo.lva) with the command-line tool of the
# build tree given as $1 (default: build): into BUILD/demo/index.htm with the
# default design, and into BUILD/demo-designs/NAME/index.htm with each design.
# Prints the file:// address of each overview page.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
cli="$build/cli/lumivista-cli"
[[ -x "$cli" ]] || { echo "make-demo: $cli is missing; build first" >&2; exit 1; }

# The sample pictures are rendered, not stored; demo.lva names them beside it.
pictures=("Sonnenuntergang am Meer.jpg" "Leuchtturm.jpg" "Seepanorama.jpg" "Berge im Abendlicht.png"
          "Hafen (Abend).png" "Blumenwiese.gif" "Wald im Herbst.bmp" "Herbstlaub.jpg" "Schnee 1-bit.bmp")
for picture in "${pictures[@]}"; do
  if [[ ! -f "$root/examples/$picture" ]]; then
    "$root/examples/render-pictures.sh" "$root/examples"
    break
  fi
done

# A second run into the same folder would add numbered files beside the old ones.
rm -rf "$build/demo" "$build/demo-designs"
"$cli" build "$root/examples/demo.lva" "$build/demo/index.htm"
echo "file://$build/demo/index.htm"
while IFS= read -r design; do
  "$cli" build --quiet --template "$design" "$root/examples/demo.lva" "$build/demo-designs/$design/index.htm"
  echo "  $design: file://$build/demo-designs/$design/index.htm"
done < <("$cli" templates)
