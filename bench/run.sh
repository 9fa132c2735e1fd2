#!/usr/bin/env bash
# Runs every benchmark of the build tree given as $1 (default: build), then
# each whole-run benchmark script beside this one (bench/*/run.sh).
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
for exe in "$build"/bench/*/bench_*; do
  [[ -x "$exe" ]] || continue
  echo "== $(basename "$exe")"
  "$exe"
done
for script in "$here"/*/run.sh; do
  [[ -x "$script" ]] || continue
  echo "== $(basename "$(dirname "$script")") whole run"
  "$script" "$build"
done
