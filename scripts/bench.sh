#!/usr/bin/env bash
# Prints the program's start-up and shut-down times, working set and window
# count under Wine (the Wine server kept running between starts).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${ORVIK_IN_SESSION:-}" ]; then
  ORVIK_IN_SESSION=1 exec "$root/scripts/session.sh" "$0" "$@"
fi
source "$root/scripts/wine-env.sh"
wine_env_prepare
wineserver -p 30
"$ORVIK_WINE" "$root/build/$ORVIK_WINE_ARCH/startup_bench.exe" "${1:-7}"

# The player: CPU while idle and playing, GDI objects and memory over
# end-of-entry advances (player_bench.exe [advances] [seconds per figure]).
"$ORVIK_WINE" "$root/build/$ORVIK_WINE_ARCH/player_bench.exe" "${ORVIK_PLAYER_ADVANCES:-500}" 10
