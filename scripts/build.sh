#!/bin/sh
# Configures and builds one of the project's builds:
#   native   g++ with AddressSanitizer and UBSan, tests      -> build/native
#   release  g++ optimised: tools, benchmarks, install        -> build/release
#   win64    x86_64-w64-mingw32: library and tests (wine64)   -> build/win64
#   win32    i686-w64-mingw32: the shipped DLL and tests (wine) -> build/win32
#   fuzz     clang libFuzzer targets                          -> build/fuzz
#   tsan     g++ with ThreadSanitizer: the formula tests only  -> build/tsan
set -eu
cd "$(dirname "$0")/.."
which="$1"; shift || true
case "$which" in
  native)  args="-DVELTRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1" ;;
  release) args="-DCMAKE_BUILD_TYPE=Release -DVELTRA_BENCH=ON -DVELTRA_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$PWD/build/install/native" ;;
  win64)   args="-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DCMAKE_BUILD_TYPE=Release" ;;
  win32)   args="-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$PWD/build/install/win32" ;;
  fuzz)    args="-DVELTRA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++" ;;
  tsan)    args="-DVELTRA_TSAN=ON -DVELTRA_TOOLS=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1"
           targets="--target test_formula" ;;
  *) echo "usage: $0 native|release|win64|win32|fuzz|tsan" >&2; exit 2 ;;
esac
cmake -S . -B "build/$which" -G Ninja $args "$@" >/dev/null
cmake --build "build/$which" -j "$(nproc)" ${targets:-}
