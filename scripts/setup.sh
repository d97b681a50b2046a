#!/bin/sh
# Installs every Debian package the builds, tests, fuzzers and benchmarks use.
set -eu
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build pkg-config python3 g++ clang libclang-rt-14-dev \
  googletest libgtest-dev libbenchmark-dev libmuparser-dev nettle-dev libhowardhinnant-date-dev \
  mingw-w64 binutils-mingw-w64 wine wine64 xvfb xauth \
  locales ghostscript poppler-utils imagemagick file >/dev/null
