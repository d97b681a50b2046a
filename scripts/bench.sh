#!/bin/sh
# Runs every benchmark of the optimised build.
set -eu
cd "$(dirname "$0")/.."
for b in build/release/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "==== ${b##*/}"
  "$b" "$@"
done
