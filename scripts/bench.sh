#!/bin/sh
# Runs every benchmark of the optimised build.
set -eu
cd "$(dirname "$0")/.."
for b in build/release/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "==== ${b##*/}"
  "$b" "$@"
done
echo "==== python_formulas (the Python package against numexpr, pandas.eval, threads, Dask)"
[ -x build/venv/bin/python ] || scripts/python-install.sh
build/venv/bin/python bench/python_formulas.py
