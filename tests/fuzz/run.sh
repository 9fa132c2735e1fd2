#!/usr/bin/env bash
# Runs every fuzz target of the build tree given as $1 for a bounded time
# (FUZZ_SECONDS, default 60). The saved corpus seeds each run; new inputs go
# to a scratch folder, and crashes are written into the current folder.
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR}
seconds=${FUZZ_SECONDS:-60}
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/lsan-suppressions.txt"
status=0
for exe in "$build"/tests/fuzz/fuzz_*; do
  [[ -x "$exe" ]] || continue
  name=$(basename "$exe")
  corpus="$here/corpus/${name#fuzz_}"
  scratch=$(mktemp -d)
  echo "== $name for ${seconds}s"
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 "$scratch" "$corpus" \
    || status=1
  rm -rf "$scratch"
done
exit $status
