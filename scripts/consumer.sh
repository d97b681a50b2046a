#!/bin/sh
# Builds tests/consumer against the installed native and i686 trees; the
# native program also runs.
set -eu
cd "$(dirname "$0")/.."
rm -rf build/consumer
cmake -S tests/consumer -B build/consumer/native -G Ninja \
  -DCMAKE_PREFIX_PATH="$PWD/build/install/native" >/dev/null
cmake --build build/consumer/native >/dev/null
LD_LIBRARY_PATH="$PWD/build/install/native/lib" build/consumer/native/consumer
cmake -S tests/consumer -B build/consumer/win32 -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw32.cmake" \
  -DCMAKE_PREFIX_PATH="$PWD/build/install/win32" >/dev/null
cmake --build build/consumer/win32 >/dev/null
i686-w64-mingw32-objdump -p build/consumer/win32/consumer.exe | grep -q 'DLL Name: veltra.dll'
echo "consumer: i686 program links against the installed veltra.dll"
