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
unformatted=()
for f in "${files[@]}"; do
  clang-format "$f" | cmp -s - "$f" || unformatted+=("$f")
done
if [[ ${#unformatted[@]} -gt 0 ]]; then
  printf 'not formatted (run scripts/check-format.sh --fix):\n' >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
