#!/bin/sh
# The whole test suite: native tests under sanitizers, the formula tests
# under ThreadSanitizer, bounded fuzzing, the
# Windows tests of the x86_64 build under wine64 and of the shipped i686 build
# under 32-bit wine (with a virtual display), the checks of the i686 DLL's
# tables, a consumer project built against the installed library, and the
# Python package's tests. Stops at the first failing stage.
set -eu
cd "$(dirname "$0")/.."
stage() { printf '\n==== %s\n' "$*"; }
# ctest of one Windows build under a virtual display; wineserver finishes
# inside it.
wine_ctest() {
  xvfb-run -a sh -c 'ctest --test-dir "$1" --output-on-failure; rc=$?; /usr/lib/wine/wineserver -w; exit $rc' sh "$1"
}

stage "native build with AddressSanitizer and UBSan"
scripts/build.sh native
ctest --test-dir build/native --output-on-failure -j "$(nproc)"

stage "formula engine on many threads under ThreadSanitizer"
scripts/build.sh tsan
# halt_on_error: the first report fails the stage, with its own exit status.
TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1" build/tsan/tests/test_formula --gtest_color=no --gtest_brief=1

stage "fuzzing (bounded)"
scripts/build.sh fuzz
scripts/fuzz.sh

stage "x86_64 Windows build, tests under wine64"
scripts/build.sh win64
. scripts/wine-env.sh
wine_ctest build/win64

stage "i686 build (the shipped DLL), tests under 32-bit wine"
scripts/build.sh win32
wine_ctest build/win32

stage "i686 DLL: exports, imports, resources"
cmake --install build/win32 >/dev/null
scripts/check-dll.sh build/win32/veltra.dll

stage "install and consumer project"
scripts/build.sh release
cmake --install build/release >/dev/null
scripts/consumer.sh

stage "Python package veltra: pytest (against the release build's vtcalc and library)"
scripts/python-install.sh
build/venv/bin/python -m pytest -p no:cacheprovider python/tests
