#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark
# and run the demo. Does nothing when all of them are present already.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build pkg-config clang libclang-rt-14-dev lld
  clang-format  # the source_format test checks the tree against .clang-format
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-webengine-dev qt6-translations-l10n libgl-dev libxkbcommon-dev
  libjpeg62-turbo-dev libpng-dev libgif-dev libtiff-dev libwebp-dev
  libturbojpeg0-dev  # the TurboJPEG floor of the imaging and album benchmarks
  # HEIC/AVIF: libheif with its HEVC (libde265) and AV1 (dav1d) decoders, heif-enc
  # and its encoders (x265, aom) for the test pictures, lcms2 for colour profiles
  libheif-dev libheif1 libde265-0 libdav1d6 libheif-examples libx265-199 libaom3 liblcms2-dev icc-profiles-free
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  imagemagick poppler-utils xvfb xauth xdotool fonts-dejavu-core
  chromium nodejs  # headless Chromium driven by a node script measures albums as a phone loads them
  # installing and packaging: the checkers of the desktop files, icon rendering, the .deb's Depends
  desktop-file-utils appstream libxml2-utils man-db shared-mime-info librsvg2-bin dpkg-dev
  # publishing: libcurl, libssh (SFTP renames that replace in one step), the keyring, and the SFTP, FTPS and WebDAV servers its tests start
  libcurl4-openssl-dev libssh-dev libssl-dev qtkeychain-qt6-dev openssh-server openssh-client python3-pyftpdlib python3-openssl lighttpd lighttpd-mod-webdav lighttpd-mod-openssl gnome-keyring libsecret-1-0 dbus-daemon dbus-bin
  graphviz  # scripts/dependency-graph.sh draws the README's dependency graph
)

# The HTML validator the design tests use (only where npm is present; the
# tests skip the validator without it).
if command -v npm >/dev/null && ! command -v html-validate >/dev/null; then
  npm_sudo=()
  [[ $(id -u) -ne 0 ]] && command -v sudo >/dev/null && npm_sudo=(sudo)
  "${npm_sudo[@]}" npm install -g html-validate || echo "bootstrap: html-validate not installed; its checks are skipped" >&2
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  echo "bootstrap: all ${#packages[@]} packages present"
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "bootstrap: need root or sudo" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q || { echo "bootstrap: apt-get update failed" >&2; exit 1; }
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" \
  || { echo "bootstrap: could not install ${missing[*]}" >&2; exit 1; }
