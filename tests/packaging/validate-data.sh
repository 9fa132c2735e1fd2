#!/usr/bin/env bash
# Checks the desktop integration files with the desktop's own tools: the
# desktop entry, the AppStream metainfo, the MIME package (which
# update-mime-database must compile into a glob and a magic rule) and that
# both man pages render without warnings, and the completion parses.
# Usage: validate-data.sh SOURCE_DIR
set -euo pipefail
packaging="$(realpath "$1")/packaging"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$packaging/example.vendrix.WebLumivista.desktop" || fail "desktop entry"
grep -qx 'Exec=lumivista %f' "$packaging/example.vendrix.WebLumivista.desktop" || fail "Exec without %f"
appstreamcli validate --no-net "$packaging/example.vendrix.WebLumivista.metainfo.xml" || fail "metainfo"

xmllint --noout "$packaging/web-lumivista.xml" || fail "MIME package is not well-formed"
mkdir -p "$tmp/mime/packages"
cp "$packaging/web-lumivista.xml" "$tmp/mime/packages/"
XDG_DATA_HOME="$tmp" update-mime-database "$tmp/mime" 2>"$tmp/mime-errors" || fail "update-mime-database"
[[ -s "$tmp/mime-errors" ]] && fail "update-mime-database: $(cat "$tmp/mime-errors")"
grep -qx 'application/x-web-lumivista-album:\*\.lva' "$tmp/mime/globs" || fail "no *.lva glob"
grep -qa 'Vendrix Web Lumivista 1.0' "$tmp/mime/magic" || fail "no magic rule"
# The rule must match what the program writes at the start of every album.
grep -q 'kAlbumFileHeader = "Vendrix Web Lumivista 1.0"' "$1/album/AlbumFileFormat.h" || fail "header changed"

for page in lumivista.1 lumivista-cli.1; do
  warnings=$(MANWIDTH=80 man --warnings -l "$packaging/$page" 2>&1 >/dev/null)
  [[ -z "$warnings" ]] || fail "$page: $warnings"
  MANWIDTH=80 man -l "$packaging/$page" 2>/dev/null | grep -q 'Web Lumivista 2.0.0' || fail "$page does not render"
done
bash -n "$packaging/lumivista-cli.bash" || fail "bash completion"
echo "desktop entry, metainfo, MIME package and man pages valid"
