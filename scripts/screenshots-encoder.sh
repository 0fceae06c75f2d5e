#!/usr/bin/env bash
# Pictures of the encoder dialogs for the README: the end-to-end driver opens
# the dialogs in the real program under Wine and captures them; the captures
# become docs/encoder-lame.png, encoder-oggenc.png and encoder-oggdec.png
# (the three faces of the first dialog) and docs/encoder-gogo.png,
# encoder-aac.png and encoder-wma.png. Builds first unless ORVIK_NO_BUILD is
# set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arch.sh"
[ -n "${ORVIK_NO_BUILD:-}" ] || bash "$root/scripts/build.sh" >/dev/null
build="$root/build/$ORVIK_WINE_ARCH"
shots=$(mktemp -d /tmp/orvik-shots.XXXXXX)
trap 'rm -rf "$shots"' EXIT
# The prefix's preparation gives the title-bar buttons their font.
"$root/scripts/session.sh" bash -c "source '$root/scripts/wine-env.sh' && wine_env_prepare" >/dev/null
ORVIK_SHOT_DIR="Z:${shots//\//\\}" timeout 300 "$root/scripts/session.sh" "$root/scripts/wine-run" \
  "$build/e2e_tests.exe" --gtest_also_run_disabled_tests \
  --gtest_filter='EncoderDialog.DISABLED_Screenshots:EncoderDialogs.DISABLED_Screenshots' \
  >"$shots/run.log" 2>&1 || { cat "$shots/run.log"; exit 1; }
mkdir -p "$root/docs"
for face in lame oggenc oggdec gogo aac wma; do
  convert "$shots/encoder-$face.bmp" "$root/docs/encoder-$face.png"
  echo "docs/encoder-$face.png"
done
