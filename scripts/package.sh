#!/usr/bin/env bash
# Builds OrvikPlayer.exe as it ships (build/win32) and its packages, into
# build/win32/packages:
#   OrvikPlayer-<version>-win32.zip   a folder with the program and a note on
#                                     the encoder tools, to unpack anywhere
#   OrvikPlayer-<version>-setup.exe   the installer (makensis, from Debian's
#                                     nsis package, which setup.sh installs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -eq 0 ]; then bash "$root/scripts/setup.sh"; fi
build="$root/build/win32"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target OrvikPlayer
(cd "$build" && cpack --config CPackConfig.cmake)
