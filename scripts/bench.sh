#!/usr/bin/env bash
# Prints start-up figures of the program beside a reference program of the
# same shape (tests/bench/reference_app.cpp), measured in one run under Wine
# with the Wine server kept running between starts: start to a visible main
# window (median of 9, the two in turn), working set one second after the
# start, file size, and the ratios; the start with 10,000 stored entries
# against an empty store and the close-to-exit time that holds their save;
# and the phase tables of the benchmark build (build/<arch>/trace/); the
# player's CPU, GDI and memory figures; 10,000 files coming in at once; and
# the CPU time of the shipped lame.exe under Wine against Debian's lame
# (tests/bench/lame_bench.py).
# Needs a built tree (scripts/build.sh). Figures only: nothing is asserted.
#   bash scripts/bench.sh [starts of each program] [starts with 10,000 entries] [traced starts] [other.exe]
#   bash scripts/bench.sh lame [pairs]     the lame.exe figure alone
# other.exe, another build of OrvikPlayer.exe (a copy kept from before a
# change), is then started in turn with the two and shown beside them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The session keeps the Wine server (and the prefix's desktop) running between starts.
[ -n "${ORVIK_SESSION:-}" ] || exec "$root/scripts/session.sh" "$0" "$@"
source "$root/scripts/wine-env.sh"
build="$root/build/$ORVIK_WINE_ARCH"

# The shipped lame.exe (PE32) under Wine against Debian's lame, in pairs.
lame_figure() {
  if [ "$ORVIK_WINE_ARCH" != win32 ]; then
    echo "lame: not measured (this machine runs no 32-bit Wine, and lame.exe ships as PE32)"
    return
  fi
  python3 "$root/tests/bench/lame_bench.py" "$root/build/win32/lame.exe" "$ORVIK_WINE" "$@"
}
if [ "${1:-}" = lame ]; then
  shift
  lame_figure "$@"
  exit 0
fi

other=()
if [ -n "${4:-}" ]; then other=("$(winepath -w "$(realpath "$4")")"); fi
"$ORVIK_WINE" "$build/startup_bench.exe" "${1:-9}" "${2:-5}" "${3:-3}" "${other[@]}"

# The player: CPU while idle and playing, GDI objects and memory over
# end-of-entry advances (player_bench.exe [advances] [seconds per figure]).
"$ORVIK_WINE" "$build/player_bench.exe" "${ORVIK_PLAYER_ADVANCES:-500}" 10

# Files coming in: 10,000 at once, until listed, and the longest wait for
# the window to answer meanwhile (incoming_bench.exe [files] [runs]).
"$ORVIK_WINE" "$build/incoming_bench.exe" 10000 3

lame_figure "${ORVIK_LAME_PAIRS:-5}"
