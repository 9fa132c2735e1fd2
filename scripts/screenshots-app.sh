#!/usr/bin/env bash
# Screenshots of the main window's five pages with the demo album, for the
# README. Runs under Xvfb when it is installed (the result page then shows
# what the browser engine drew), else under Qt's offscreen platform.
# Usage: scripts/screenshots-app.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
cmake --build "$build" --target lumivista lumivista-screenshots >/dev/null
tool="$build/app/lumivista-screenshots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QTWEBENGINE_DISABLE_SANDBOX=1
if command -v xvfb-run >/dev/null; then
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$tool" "$root/examples/demo.lva" "$root/docs/screenshots" "$work"
else
  QT_QPA_PLATFORM=offscreen "$tool" "$root/examples/demo.lva" "$root/docs/screenshots" "$work"
fi
