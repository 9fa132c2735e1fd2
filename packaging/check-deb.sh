#!/usr/bin/env bash
# Checks a built web-lumivista .deb: its name, the files it installs below
# /usr, and Depends computed by dpkg-shlibdeps (Qt, the image codecs, libc).
# Usage: check-deb.sh PACKAGE.deb
set -euo pipefail
deb=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

[[ $(basename "$deb") == web-lumivista_2.0.0_amd64.deb ]] || fail "unexpected file name $(basename "$deb")"
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/lumivista ./usr/bin/lumivista-cli \
  ./usr/share/web-lumivista/template/Modern/mainfirst.htm \
  ./usr/share/applications/example.vendrix.WebLumivista.desktop \
  ./usr/share/metainfo/example.vendrix.WebLumivista.metainfo.xml \
  ./usr/share/mime/packages/web-lumivista.xml \
  ./usr/share/icons/hicolor/scalable/apps/web-lumivista.svg \
  ./usr/share/icons/hicolor/48x48/apps/web-lumivista.png \
  ./usr/share/icons/hicolor/256x256/apps/web-lumivista.png \
  ./usr/share/man/man1/lumivista.1 ./usr/share/man/man1/lumivista-cli.1 \
  ./usr/share/bash-completion/completions/lumivista-cli; do
  grep -qx -- "$file" <<<"$files" || fail "package lacks $file"
done
grep -v '^\./usr/' <<<"$files" | grep -qv '^\./$' && fail "files outside /usr: $(grep -v '^\./usr/' <<<"$files")"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6webenginewidgets6 libjpeg62-turbo libpng16-16 \
  libtiff6 libwebp7 libgif7 qt6-qpa-plugins; do
  grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done
echo "$(basename "$deb"): $(wc -l <<<"$files") entries; Depends: $depends"
