#!/usr/bin/env bash
# Makes the pictures the README shows, in docs/, from the real program under
# Wine in a private Xvfb session:
#   main     main-window.png, main-hover.png (a button under the pointer, its
#            tooltip), main-menu.png (the main popup menu open)
#   encoder  encoder-lame/oggenc/oggdec.png (the first dialog's three faces),
#            encoder-gogo/aac/wma.png (the end-to-end driver captures them)
#   slider   slider.png (the position slider following a playing WAV)
#   player   player.png (the player playing a WAV)
#   all      every one of these (the default)
# Builds first unless ORVIK_NO_BUILD is set.
#   bash scripts/screenshots.sh [main|encoder|slider|player|all]...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${ORVIK_SESSION:-}" ]; then
  [ -n "${ORVIK_NO_BUILD:-}" ] || bash "$root/scripts/build.sh" >/dev/null
  exec "$root/scripts/session.sh" "$0" "$@"
fi
# The session has prepared the prefix (which gives the title-bar buttons
# their font) for every picture.
source "$root/scripts/wine-env.sh"
build="$root/build/$ORVIK_WINE_ARCH"
shots=$(mktemp -d /tmp/orvik-shots.XXXXXX)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$shots"' EXIT
mkdir -p "$root/docs"
# Wine sees the Unix root as drive Z:.
export ORVIK_SHOT_DIR="Z:${shots//\//\\}"

# A disabled test of a test program that writes its captures to ORVIK_SHOT_DIR.
capture() {  # program filter
  timeout 300 "$root/scripts/wine-run" "$build/$1" --gtest_also_run_disabled_tests --gtest_filter="$2" \
    >"$shots/run.log" 2>&1 || { cat "$shots/run.log"; exit 1; }
}
keep() {  # capture name [convert options...]
  local name=$1; shift
  convert "$shots/$name.bmp" "$@" "$root/docs/$name.png"
  echo "docs/$name.png"
}

main_shots() {
  "$ORVIK_WINE" "$build/OrvikPlayer.exe" >/dev/null 2>&1 &
  local program=$!
  # The Wine desktop (800 x 600) sits at the screen's origin; the main
  # window (306 x 184) is centred on it.
  local x=$(( (800 - 306) / 2 )) y=$(( (600 - 184) / 2 ))
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
  xdotool mousemove 5 5
  shot main-window "326x204+$((x - 10))+$((y - 10))"
  xdotool mousemove $((x + 92 + 20)) $((y + 24 + 20))   # over the encode button
  sleep 1.2                                              # long enough for its tooltip
  shot main-hover "326x224+$((x - 10))+$((y - 10))"
  xdotool mousemove $((x + 150)) $((y + 120)) click 3    # right-click on the list
  shot main-menu "420x360+$((x - 10))+$((y - 10))"
  xdotool key Escape F12
  wait "$program" || true
}

encoder_shots() {
  capture e2e_tests.exe 'EncoderDialog.DISABLED_Screenshots:EncoderDialogs.DISABLED_Screenshots'
  for face in lame oggenc oggdec gogo aac wma; do keep "encoder-$face"; done
}

slider_shots() {
  capture win32_tests.exe 'SliderDemo.*'
  keep slider -filter point -resize 200%
}

player_shots() {
  capture e2e_tests.exe 'Player.DISABLED_Screenshot'
  keep player
}

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(all)
for target in "${targets[@]}"; do
  case $target in
    main|encoder|slider|player) "${target}_shots" ;;
    all) main_shots; encoder_shots; slider_shots; player_shots ;;
    *) echo "screenshots.sh: unknown picture set '$target' (main, encoder, slider, player, all)" >&2; exit 2 ;;
  esac
done
