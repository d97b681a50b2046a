#!/bin/sh
# Installs every Debian package the builds, tests, fuzzers and benchmarks use.
set -eu
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
# 32-bit wine runs the shipped i686 DLL and its callers.
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build pkg-config python3 g++ clang libclang-rt-14-dev \
  googletest libgtest-dev libbenchmark-dev libmuparser-dev nettle-dev libhowardhinnant-date-dev \
  mingw-w64 binutils-mingw-w64 wine wine64 wine32:i386 xvfb xauth \
  libxbyak-dev librsvg2-bin mawk miller lld-14 llvm-14 \
  locales tzdata ghostscript poppler-utils imagemagick file time \
  libmpfr-dev libgmp-dev \
  pybind11-dev python3-dev python3-venv python3-numpy python3-pandas python3-numexpr \
  python3-dask python3-distributed python3-pytest python3-matplotlib python3-pil >/dev/null
