#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
# Idempotent: packages already present are left alone.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake make python3
  g++ libgtest-dev googletest cppcheck
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-liberation
  fonts-droid-fallback fonts-symbola  # Japanese/Chinese and emoji glyphs, linked to the program's font in the prefix
  xvfb xauth xdotool x11-utils
  pulseaudio
  imagemagick
  nsis dpkg-dev    # dpkg-dev: dpkg-source unpacks the lame source that lame.exe is built from
  lame vorbis-tools
)

if [ "$(id -u)" -ne 0 ]; then
  echo "setup.sh: run as root (it installs Debian packages)" >&2
  exit 1
fi

# 32-bit Wine only where the kernel runs 32-bit programs (see arch.sh).
command -v python3 >/dev/null || { apt-get update -qq && apt-get install -y -qq python3 >/dev/null; }
source "$here/arch.sh"
if [ "$ORVIK_WINE_ARCH" = win32 ]; then packages+=(wine32:i386); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup.sh: all packages present"
  exit 0
fi

echo "setup.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ "$ORVIK_WINE_ARCH" = win32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
# The posix-threads flavour of the cross compiler gives std::thread/std::mutex.
update-alternatives --set i686-w64-mingw32-g++ /usr/bin/i686-w64-mingw32-g++-posix >/dev/null 2>&1 || true
update-alternatives --set i686-w64-mingw32-gcc /usr/bin/i686-w64-mingw32-gcc-posix >/dev/null 2>&1 || true
update-alternatives --set x86_64-w64-mingw32-g++ /usr/bin/x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || true
update-alternatives --set x86_64-w64-mingw32-gcc /usr/bin/x86_64-w64-mingw32-gcc-posix >/dev/null 2>&1 || true
echo "setup.sh: done"
