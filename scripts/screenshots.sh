#!/usr/bin/env bash
# Writes screenshots of the main window to docs/: as started, with a button
# under the pointer, and with the main popup menu open. Needs a built tree
# (scripts/build.sh) and runs in a private Xvfb session.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${ORVIK_IN_SESSION:-}" ]; then
  ORVIK_IN_SESSION=1 exec "$root/scripts/session.sh" "$0" "$@"
fi
source "$root/scripts/wine-env.sh"
wine_env_prepare
exe="$root/build/$ORVIK_WINE_ARCH/OrvikPlayer.exe"
"$ORVIK_WINE" "$exe" >/dev/null 2>&1 &
trap 'wineserver -k 2>/dev/null || true' EXIT

# The Wine desktop (800 x 600) sits at the screen's origin; the main window
# (306 x 184) is centred on it.
x=$(( (800 - 306) / 2 )); y=$(( (600 - 184) / 2 ))
shot() {  # name crop-geometry
  sleep 0.6
  import -window root -crop "$2" +repage "$root/docs/$1.png"
  echo "docs/$1.png"
}
for _ in $(seq 100); do
  [ -n "$(xdotool search --name 'Orvik Encoder' 2>/dev/null)" ] && break
  sleep 0.2
done
sleep 3
mkdir -p "$root/docs"
xdotool mousemove 5 5
shot main-window "326x204+$((x - 10))+$((y - 10))"
xdotool mousemove $((x + 92 + 20)) $((y + 24 + 20))   # over the encode button
sleep 1.2                                              # long enough for its tooltip
shot main-hover "326x224+$((x - 10))+$((y - 10))"
xdotool mousemove $((x + 150)) $((y + 120)) click 3    # right-click on the list
shot main-menu "420x360+$((x - 10))+$((y - 10))"
xdotool key Escape
