#!/usr/bin/env bash
# Writes docs/slider.png: the player's position slider following a playing
# WAV file (the disabled SliderDemo test of win32_tests). Needs a built tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arch.sh"
out=$(mktemp -d /tmp/orvik-slider.XXXXXX)
trap 'rm -rf "$out"' EXIT
# Wine sees the Unix root as drive Z:.
ORVIK_SLIDER_SHOT="Z:${out//\//\\}\\slider.bmp" \
  "$root/scripts/session.sh" "$root/scripts/wine-run" "$root/build/$ORVIK_WINE_ARCH/win32_tests.exe" \
  --gtest_also_run_disabled_tests --gtest_filter='SliderDemo.*' >"$out/log" 2>&1 || { cat "$out/log"; exit 1; }
mkdir -p "$root/docs"
convert "$out/slider.bmp" -filter point -resize 200% "$root/docs/slider.png"
echo docs/slider.png
