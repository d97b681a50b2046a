#!/bin/sh
# The whole test suite: native tests under sanitizers, bounded fuzzing, the
# Windows tests under wine64 (with a virtual display), the static checks of
# the shipped 32-bit DLL, and a consumer project built against the installed
# library. Stops at the first failing stage.
set -eu
cd "$(dirname "$0")/.."
stage() { printf '\n==== %s\n' "$*"; }

stage "native build with AddressSanitizer and UBSan"
scripts/build.sh native
ctest --test-dir build/native --output-on-failure -j "$(nproc)"

stage "fuzzing (bounded)"
scripts/build.sh fuzz
scripts/fuzz.sh

stage "x86_64 Windows build, tests under wine64"
scripts/build.sh win64
. scripts/wine-env.sh
xvfb-run -a sh -c 'ctest --test-dir build/win64 --output-on-failure; rc=$?; /usr/lib/wine/wineserver -w; exit $rc'

stage "i686 DLL: exports, imports, resources"
scripts/build.sh win32
cmake --install build/win32 >/dev/null
scripts/check-dll.sh build/win32/veltra.dll

stage "install and consumer project"
scripts/build.sh release
cmake --install build/release >/dev/null
scripts/consumer.sh
