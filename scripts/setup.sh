#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
# Idempotent: packages already present are left alone.
#
# A package mirror in the middle of a sync serves some of its indexes broken,
# for hours. An apt-get update that reports failed indexes is tried again a
# few times, then the set-up goes on with the lists it has. An install that
# fails then (typically: the amd64 and i386 versions of a library would come
# from different suites) is tried once more with the security suite below
# the main suite (apt-security-below-main.pref, for that install only: the
# machine's apt configuration stays as it is). Where wine32:i386 still
# cannot be installed, everything else is, and the tests take the 64-bit
# Wine path (arch.sh).
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

tries=3 pause=${ORVIK_APT_RETRY_PAUSE:-10}
log=$(mktemp -d /tmp/orvik-setup.XXXXXX)
trap 'rm -rf "$log"' EXIT

# apt-get update, tried again while it reports failed indexes.
apt_update() {
  local try
  for try in $(seq "$tries"); do
    if apt-get update -qq >"$log/update" 2>&1 &&
      ! grep -qE '^(E|W): (Failed to fetch|Some index files failed)' "$log/update"; then
      cat "$log/update"
      return 0
    fi
    if [ "$try" -lt "$tries" ]; then sleep "$pause"; fi
  done
  echo "setup.sh: apt-get update failed $tries times ($(grep -m1 -E '^(E|W): ' "$log/update" | tr -s ' ' |
    cut -c4-200)); going on with the package lists there are"
}

# apt-get install; what apt-get said stays in $log/install.
apt_install() {
  if apt-get install -y -qq --no-install-recommends "$@" >"$log/install" 2>"$log/install.err"; then
    cat "$log/install.err" >&2
    return 0
  fi
  cat "$log/install.err" >>"$log/install"
  return 1
}
pinned=(-o "Dir::Etc::Preferences=$here/apt-security-below-main.pref")

# Why an install failed, in apt-get's words: the unmet dependencies and its
# errors, indented.
reasons() {
  { sed -n -e '/unmet dependencies/,$p' "$1" | grep -vE '^(E|W): ' | grep . | head -n 20 || true
    grep -E '^E: ' "$1" | head -n 5 || true; } | sed -e 's/^/  /'
}

# 32-bit Wine only where the kernel runs 32-bit programs (see arch.sh); a
# caller's ORVIK_WINE_ARCH wins.
given_arch=${ORVIK_WINE_ARCH:-}
command -v python3 >/dev/null || { apt_update && apt-get install -y -qq python3 >/dev/null; }
source "$here/arch.sh"
if [ "$given_arch" = win32 ] || { [ -z "$given_arch" ] && orvik_can_run_32bit; }; then
  packages+=(wine32:i386)
fi

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
if [[ " ${missing[*]} " == *" wine32:i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt_update
if ! apt_install "${missing[@]}"; then
  echo "setup.sh: apt-get could not install them ($(grep -m1 -E '^E: ' "$log/install" | cut -c4-));" \
    "trying once more with the security suite below the main suite"
  if ! apt_install "${pinned[@]}" "${missing[@]}"; then
    cp "$log/install" "$log/install.all"
    rest=()
    for p in "${missing[@]}"; do [ "$p" = wine32:i386 ] || rest+=("$p"); done
    if [ ${#rest[@]} -lt ${#missing[@]} ] && apt_install "${pinned[@]}" "${rest[@]}"; then
      echo "setup.sh: wine32:i386 cannot be installed now; apt-get says:"
      reasons "$log/install.all"
      echo "setup.sh: everything else is installed; without 32-bit Wine the tests run the 64-bit build" \
        "under 64-bit Wine (scripts/arch.sh)"
    else
      {
        echo "setup.sh: these packages could not be installed: ${missing[*]}"
        echo "setup.sh: apt-get says:"
        reasons "$log/install.all"
      } >&2
      exit 1
    fi
  fi
fi
# The posix-threads flavour of the cross compiler gives std::thread/std::mutex.
update-alternatives --set i686-w64-mingw32-g++ /usr/bin/i686-w64-mingw32-g++-posix >/dev/null 2>&1 || true
update-alternatives --set i686-w64-mingw32-gcc /usr/bin/i686-w64-mingw32-gcc-posix >/dev/null 2>&1 || true
update-alternatives --set x86_64-w64-mingw32-g++ /usr/bin/x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || true
update-alternatives --set x86_64-w64-mingw32-gcc /usr/bin/x86_64-w64-mingw32-gcc-posix >/dev/null 2>&1 || true
echo "setup.sh: done"
