#!/usr/bin/env bash
# Builds OrvikPlayer.exe as it ships (build/win32) and its packages, into
# build/win32/packages:
#   OrvikPlayer-<version>-win32.zip   a folder with the program, lame.exe and
#                                     their notes, to unpack anywhere
#   OrvikPlayer-<version>-setup.exe   the per-user installer of the same files
#                                     (makensis, from Debian's nsis package,
#                                     which setup.sh installs)
#   lame_*.dsc, lame_*.orig.tar.gz,   the source lame.exe was built from
#   lame_*.debian.tar.xz
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -eq 0 ]; then bash "$root/scripts/setup.sh"; fi
build="$root/build/win32"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target OrvikPlayer lame
(cd "$build" && cpack --config CPackConfig.cmake)
