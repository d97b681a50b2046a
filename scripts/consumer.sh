#!/bin/sh
# Builds tests/consumer against the installed native and i686 trees, as a
# customer's project would, and runs its programs (the i686 ones under
# 32-bit wine, against the installed veltra.dll). Then a caller built for
# Microsoft's C++ ABI, without any C runtime, against an import library made
# from the installed veltra.def.
set -eu
cd "$(dirname "$0")/.."
rm -rf build/consumer
cmake -S tests/consumer -B build/consumer/native -G Ninja \
  -DCMAKE_PREFIX_PATH="$PWD/build/install/native" >/dev/null
cmake --build build/consumer/native >/dev/null
ctest --test-dir build/consumer/native --output-on-failure
cmake -S tests/consumer -B build/consumer/win32 -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw32.cmake" \
  -DCMAKE_PREFIX_PATH="$PWD/build/install/win32" >/dev/null
cmake --build build/consumer/win32 >/dev/null
i686-w64-mingw32-objdump -p build/consumer/win32/consumer.exe | grep -q 'DLL Name: veltra.dll'
. scripts/wine-env.sh
ctest --test-dir build/consumer/win32 --output-on-failure

m=build/consumer/msvc
mkdir -p "$m"
llvm-dlltool-14 -m i386 -k -d build/install/win32/lib/veltra.def -l "$m/veltra.lib"
llvm-dlltool-14 -m i386 -k -d tests/consumer/msvc/kernel32.def -l "$m/kernel32.lib"
# Without optimisation, as Microsoft's compiler in a debug build: the
# members defined in the headers are called in the DLL, not inlined.
clang++-14 --target=i686-pc-windows-msvc -std=c++17 -O0 -fno-exceptions -fno-rtti -Wall -Werror \
  -Itests/consumer/msvc -Ibuild/install/win32/include -c tests/consumer/msvc/caller.cpp -o "$m/caller.obj"
lld-link-14 /nologo /nodefaultlib /entry:start /subsystem:console /out:"$m/caller.exe" \
  "$m/caller.obj" "$m/veltra.lib" "$m/kernel32.lib"
cp build/install/win32/bin/veltra.dll "$m/"
scripts/wine-run.sh "$m/caller.exe"
