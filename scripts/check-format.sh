#!/usr/bin/env bash
# Fails, naming the files, when tracked C++ sources differ from what
# clang-format makes of them with the project's .clang-format.
# --fix formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
if [[ "${1:-}" == "--fix" ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
# One clang-format process for all files: starting it per file costs more
# than formatting.
if ! report=$(clang-format --dry-run -Werror "${files[@]}" 2>&1); then
  printf 'not formatted (run scripts/check-format.sh --fix):\n' >&2
  grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u | sed 's/^/  /' >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
