#!/usr/bin/env bash
# The picture of the playing player for the README: the end-to-end driver
# plays a WAV file in the real program under Wine and captures the player
# window; the capture becomes docs/player.png. Builds first unless
# ORVIK_NO_BUILD is set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arch.sh"
[ -n "${ORVIK_NO_BUILD:-}" ] || bash "$root/scripts/build.sh" >/dev/null
build="$root/build/$ORVIK_WINE_ARCH"
shots=$(mktemp -d /tmp/orvik-shots.XXXXXX)
trap 'rm -rf "$shots"' EXIT
# The prefix's preparation gives the title-bar buttons their font.
ORVIK_SHOT_DIR="Z:${shots//\//\\}" timeout 300 "$root/scripts/session.sh" bash -c '
  source "$1/scripts/wine-env.sh" && wine_env_prepare || exit 1
  exec "$1/scripts/wine-run" "$2" --gtest_also_run_disabled_tests --gtest_filter=Player.DISABLED_Screenshot
' _ "$root" "$build/e2e_tests.exe" >"$shots/run.log" 2>&1 || { cat "$shots/run.log"; exit 1; }
mkdir -p "$root/docs"
convert "$shots/player.bmp" "$root/docs/player.png"
echo docs/player.png
