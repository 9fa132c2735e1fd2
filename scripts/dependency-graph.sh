#!/usr/bin/env bash
# The README's library table and docs/dependencies.png, both from the graph
# `cmake --graphviz` writes for a fresh configuration of this tree (in a
# scratch folder, so no build tree is touched).
#   scripts/dependency-graph.sh          rewrites the table and the picture
#   scripts/dependency-graph.sh --check  fails when the README's table is stale
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:---write}
case $mode in --write | --check) ;; *) echo "usage: $0 [--check]" >&2; exit 2 ;; esac

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp cmake/CMakeGraphVizOptions.cmake "$scratch/"
cmake -S . -B "$scratch" -G Ninja -DLUMIVISTA_TESTS=OFF -DLUMIVISTA_BENCH=OFF -DLUMIVISTA_TOOLS=OFF \
  --graphviz="$scratch/graph.dot" >/dev/null

if [ "$mode" = --check ]; then
  exec scripts/dependency_graph.py "$scratch/graph.dot" README.md --check
fi
scripts/dependency_graph.py "$scratch/graph.dot" README.md --write "$scratch/picture.dot"
dot -Tpng -Gdpi=72 -o docs/dependencies.png "$scratch/picture.dot"
echo "README.md (library table), docs/dependencies.png"
