#!/usr/bin/env bash
# Installs what is missing, builds OrvikPlayer.exe and starts it under Wine:
# on this display, or under Xvfb when there is none (then a screenshot of the
# running program is written and its path printed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${ORVIK_SESSION:-}" ]; then
  if [ "$(id -u)" -eq 0 ]; then bash "$root/scripts/setup.sh"; fi
  bash "$root/scripts/build.sh"
  source "$root/scripts/arch.sh"
  # On this display, with this machine's own sound.
  if [ -n "${DISPLAY:-}" ]; then
    ORVIK_NO_AUDIO=1 exec "$root/scripts/wine-run" "$root/build/$ORVIK_WINE_ARCH/OrvikPlayer.exe"
  fi
  exec "$root/scripts/session.sh" "$0" "$@"
fi
# In a session of its own, under Xvfb.
source "$root/scripts/wine-env.sh"
exe="$root/build/$ORVIK_WINE_ARCH/OrvikPlayer.exe"
shot="$root/build/screenshot.png"
"$ORVIK_WINE" "$exe" >/dev/null 2>&1 &
for _ in $(seq 100); do
  xdotool search --onlyvisible --name "^Orvik Encoder\$" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
import -window root "$shot"
echo "OrvikPlayer.exe is running under Xvfb on $DISPLAY; screenshot: $shot"
echo "Press Enter to end it."
read -r _ || true
