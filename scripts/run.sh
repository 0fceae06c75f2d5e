#!/usr/bin/env bash
# Installs what is missing, builds OrvikPlayer.exe and starts it under Wine:
# on this display, or under Xvfb when there is none (then a screenshot of the
# running program is written and its path printed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -eq 0 ]; then bash "$root/scripts/setup.sh"; fi
bash "$root/scripts/build.sh"
source "$root/scripts/arch.sh"
exe="$root/build/$ORVIK_WINE_ARCH/OrvikPlayer.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run" "$exe"
fi
shot="$root/build/screenshot.png"
"$root/scripts/session.sh" bash -c '
  "$1/scripts/wine-run" "$2" >/dev/null 2>&1 &
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^Orvik Encoder\$" >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 1
  import -window root "$3"
  echo "OrvikPlayer.exe is running under Xvfb on $DISPLAY; screenshot: $3"
  echo "Press Enter to end it."
  read -r _ || true
  source "$1/scripts/wine-env.sh"; wineserver -k' _ "$root" "$exe" "$shot"
