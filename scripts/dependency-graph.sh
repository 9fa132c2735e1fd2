#!/usr/bin/env bash
# Draws the dependency graph of the libraries and programs for the README
# (docs/dependencies.png) from a configured build tree, with graphviz.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
mkdir -p "$build/graphviz"
cp cmake/CMakeGraphVizOptions.cmake "$build/"
cmake --graphviz="$build/graphviz/lumivista.dot" "$build" >/dev/null
# Without cmake's legend: every node here is a static library or a program.
sed '/subgraph clusterLegend/,/^}/d' "$build/graphviz/lumivista.dot" | dot -Tpng -Gdpi=72 -o docs/dependencies.png
echo "docs/dependencies.png"
