#!/usr/bin/env bash
# scripts/setup.sh against a package mirror in the middle of a sync, without
# touching this machine: stand-ins for apt-get, dpkg and the other system
# commands it calls come first on the PATH. apt-get's stand-in fails every
# update the way such a mirror does (a failed index), and its installs the
# way the scenario says. Each row: the scenario, setup.sh's exit code, the
# apt-get calls it made, and a text its output holds.
#   check-setup.sh <source folder>
set -uo pipefail
root=$1
work=$(mktemp -d /tmp/orvik-check-setup.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"

cat >"$work/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
# update: as healthy, or failing with a failed index; install: succeeds, or
# fails as the scenario says until the security suite is pinned below main.
calls=$STANDIN_LOG
pinned=no
for a in "$@"; do [[ $a == Dir::Etc::Preferences=* ]] && [ -f "${a#*=}" ] &&
  grep -q 'l=Debian-Security' "${a#*=}" && pinned=yes; done
verb=$(printf '%s\n' "$@" | grep -m1 -xE 'update|install')
wine32=no
for a in "$@"; do [ "$a" = wine32:i386 ] && wine32=yes; done
echo "$verb pinned=$pinned wine32=$wine32" >>"$calls"
unmet() {
  echo "The following packages have unmet dependencies:"
  echo " libcurl4:i386 : Depends: libssl3:i386 (>= 3.0.0) but it is not going to be installed"
  echo "E: Unable to correct problems, you have held broken packages." >&2
  exit 100
}
case "$verb/$SCENARIO" in
  update/healthy) exit 0 ;;
  update/*)
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz" \
      " File has unexpected size (1 != 2). Mirror sync in progress? [IP: 127.0.0.1 80]" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100 ;;
  install/healthy) exit 0 ;;
  install/pin-heals) [ $pinned = yes ] || unmet ;;
  install/no-wine32) [ $pinned = yes ] && [ $wine32 = no ] || unmet ;;
  install/broken) unmet ;;
esac
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/bin/sh
exit 1
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/bin/sh
[ "$1" = --print-foreign-architectures ] && echo i386
exit 0
EOF
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/update-alternatives"
chmod +x "$work/bin"/*

failures=0
check() {  # scenario exit-code apt-get-calls texts...
  local scenario=$1 want_code=$2 want_calls=$3 code calls missing=""
  shift 3
  : >"$work/calls"
  SCENARIO=$scenario STANDIN_LOG=$work/calls ORVIK_APT_RETRY_PAUSE=0 ORVIK_WINE_ARCH=win32 \
    PATH="$work/bin:$PATH" bash "$root/scripts/setup.sh" >"$work/out" 2>&1
  code=$?
  calls=$(paste -sd, "$work/calls")
  for text in "$@"; do grep -qF -- "$text" "$work/out" || missing+=" [$text]"; done
  if [ "$code" -ne "$want_code" ] || [ "$calls" != "$want_calls" ] || [ -n "$missing" ]; then
    echo "FAILED: $scenario: exit $code (wanted $want_code); apt-get calls: $calls (wanted $want_calls);" \
      "missing texts:${missing:- none}; setup.sh said:"
    sed -e 's/^/    /' "$work/out"
    failures=$((failures + 1))
  fi
}
all="install pinned=no wine32=yes"
updates="update pinned=no wine32=no,update pinned=no wine32=no,update pinned=no wine32=no"
failed_update="apt-get update failed 3 times (Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz File has unexpected size"
check healthy 0 "update pinned=no wine32=no,$all" "setup.sh: done"
check pin-heals 0 "$updates,$all,install pinned=yes wine32=yes" "$failed_update" "setup.sh: done"
check no-wine32 0 "$updates,$all,install pinned=yes wine32=yes,install pinned=yes wine32=no" \
  "libcurl4:i386 : Depends: libssl3:i386" "the tests run the 64-bit build"
check broken 1 "$updates,$all,install pinned=yes wine32=yes,install pinned=yes wine32=no" \
  "these packages could not be installed: cmake make" "libcurl4:i386 : Depends: libssl3:i386"
[ "$failures" -eq 0 ] && echo "setup.sh: retries, pins, falls back and fails as it should"
exit "$failures"
