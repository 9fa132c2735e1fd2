#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and uses it as a user would:
# lumivista-cli run from another folder lists the installed designs and
# builds an album with them, and nothing is written below the prefix.
# Usage: install-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >/dev/null
prefix="$tmp/root/usr"

expected=(
  bin/lumivista-cli
  share/web-lumivista/template/Klassisch/mainfirst.htm
  share/web-lumivista/template/Modern/detail.htm
  share/web-lumivista/template/Schlicht/mainloop.htm
  share/applications/example.vendrix.WebLumivista.desktop
  share/metainfo/example.vendrix.WebLumivista.metainfo.xml
  share/mime/packages/web-lumivista.xml
  share/icons/hicolor/scalable/apps/web-lumivista.svg
  share/icons/hicolor/48x48/apps/web-lumivista.png
  share/icons/hicolor/256x256/apps/web-lumivista.png
  share/man/man1/lumivista.1
  share/man/man1/lumivista-cli.1
  share/bash-completion/completions/lumivista-cli
)
[[ -x "$build/app/lumivista" ]] && expected+=(bin/lumivista)
for file in "${expected[@]}"; do [[ -f "$prefix/$file" ]] || fail "not installed: $file"; done
[[ -d "$tmp/root/usr/bin/template" ]] && fail "designs installed beside the programs"

# A fresh user, working in a folder of its own.
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data"
mkdir -p "$HOME" "$tmp/work"
cd "$tmp/work"
listing() { find "$tmp/root" -printf '%p %s %T@ %m\n' | sort; }
before=$(listing)

cli="$prefix/bin/lumivista-cli"
[[ $("$cli" --version) == "Web Lumivista 2.0.0" ]] || fail "lumivista-cli --version: $("$cli" --version)"
if [[ -x "$prefix/bin/lumivista" ]]; then
  [[ $("$prefix/bin/lumivista" --version) == "Web Lumivista 2.0.0" ]] || fail "lumivista --version"
fi
[[ $("$cli" templates) == $'Klassisch\nModern\nSchlicht' ]] || fail "templates: $("$cli" templates)"

# The user's own designs join the list in name order; one named like a
# shipped design replaces it.
mkdir -p "$XDG_DATA_HOME/web-lumivista/template"
cp -r "$prefix/share/web-lumivista/template/Schlicht" "$XDG_DATA_HOME/web-lumivista/template/Eigenes"
cp -r "$prefix/share/web-lumivista/template/Schlicht" "$XDG_DATA_HOME/web-lumivista/template/Modern"
[[ $("$cli" templates) == $'Eigenes\nKlassisch\nModern\nSchlicht' ]] || fail "user templates: $("$cli" templates)"
"$cli" new album.lva "$source/tests/data/imaging/bmp-24.bmp" "$source/tests/data/imaging/bmp-8.bmp" \
  --caption "Installiert" >/dev/null
"$cli" build album.lva modern/index.htm --template Modern --quiet
grep -q 'class="zelle"' modern/index.htm || fail "the user's Modern did not replace the shipped one"
rm -r "$XDG_DATA_HOME/web-lumivista/template/Modern"
"$cli" build album.lva album/index.htm --template Modern --quiet
for file in album/index.htm album/html album/pics album/mini; do [[ -e $file ]] || fail "album lacks $file"; done
[[ $(ls album/html | wc -l) -eq 2 && $(ls album/mini | wc -l) -eq 2 ]] || fail "album pages or thumbnails missing"
grep -q 'class="karte"' album/index.htm || fail "the album was not built with the installed Modern"

[[ "$before" == "$(listing)" ]] || fail "something was written below the prefix: $(diff <(echo "$before") <(listing))"
echo "installed and used without writing below the prefix"
