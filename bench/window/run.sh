#!/usr/bin/env bash
# Part of bench/run.sh: the window's run against the command line's.
exec "$(dirname "$0")/../window-run.sh" "${1:-build}"
