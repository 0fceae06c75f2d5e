#!/usr/bin/env bash
# Builds the portable logic natively and the program for Windows.
#   build/native  portable logic and its unit tests (Linux, with sanitizers)
#   build/win32   OrvikPlayer.exe as it ships (PE32, i386) and its tests
#   build/win64   the same sources for 64-bit Windows, built only where this
#                 machine cannot run 32-bit Wine: the tests run it instead
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arch.sh"
jobs=$(nproc)
configure() {  # dir toolchain build-type
  cmake -S "$root" -B "$root/build/$1" -DCMAKE_BUILD_TYPE="$3" ${2:+-DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2"} >/dev/null
}
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug -DORVIK_SANITIZE=ON >/dev/null
cmake --build "$root/build/native" -j "$jobs"
configure win32 toolchain-mingw32.cmake Release
cmake --build "$root/build/win32" -j "$jobs"
if [ "$ORVIK_WINE_ARCH" = win64 ]; then
  configure win64 toolchain-mingw64.cmake Release
  cmake --build "$root/build/win64" -j "$jobs"
fi
