#!/bin/sh
# Runs every fuzz target for a bounded time from its seed corpus.
# FUZZ_SECONDS sets the default; fuzz/<name>.seconds overrides it per target.
set -eu
cd "$(dirname "$0")/.."
default=${FUZZ_SECONDS:-20}
for exe in build/fuzz/fuzz/fuzz_*; do
  [ -x "$exe" ] || continue
  name=${exe##*/fuzz_}
  secs=$default
  [ -f "fuzz/$name.seconds" ] && secs=$(cat "fuzz/$name.seconds")
  work="build/fuzz/corpus/$name"
  mkdir -p "$work"
  seeds=""
  [ -d "fuzz/corpus/$name" ] && seeds="fuzz/corpus/$name"
  echo "fuzz $name for ${secs}s"
  "$exe" -max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
    "$work" $seeds > "build/fuzz/$name.log" 2>&1 || { tail -40 "build/fuzz/$name.log"; exit 1; }
done
