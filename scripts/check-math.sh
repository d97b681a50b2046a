#!/bin/sh
# Holds the library's correctly rounded float functions against MPFR over all
# 2^32 float arguments (pow: over its argument classes) and prints, per
# function, how many results are misrounded; that number must be 0.
#
#   scripts/check-math.sh                 every function (about an hour on 2 cores)
#   scripts/check-math.sh sin cos         the functions named
#   scripts/check-math.sh sin --stride 97 every 97th bit pattern only (quick)
#   scripts/check-math.sh exp --from 42b00000 --to 42c00000   a range of patterns
#   scripts/check-math.sh pow --pairs 1000000   pow with fewer random pairs
#   scripts/check-math.sh tan --hard      also list the arguments nearest a
#                                         rounding boundary (decided by MPFR)
#
# Names: log (or ln) exp sqrt sinh cosh tanh sin cos tan atan asin acos pow.
# Each one-argument function is checked both as a scalar call and in its row
# form. A misrounded result is shown with its argument, our result, the correctly
# rounded one and the exact value; NaN counts as any NaN, infinities and
# signed zeros must match exactly. Exit status 1 when anything is misrounded.
# The checker is built optimised, with the library's current functions, in
# build/check-math (natively; it links MPFR).
set -eu
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- all
cmake -S . -B build/check-math -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVELTRA_TESTS=OFF -DVELTRA_BENCH=OFF >/dev/null
nice cmake --build build/check-math --target check-math >/dev/null
exec build/check-math/tools/check-math/check-math "$@"
