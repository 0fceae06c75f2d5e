#!/usr/bin/env bash
# The same source gives the same bytes: builds the shipped program, lame.exe
# and both packages once more in a second folder (kept between runs, so a
# later run rebuilds only what changed) and compares them with the ones in
# the build folder, which the package_build step made just before. Neither
# program may hold the path of the folder it was built in.
#   same_bytes.sh <source> <build folder> <second folder> <toolchain file> <build type>
set -euo pipefail
shopt -s nullglob
source=$1 first=$2 second=$3 toolchain=$4 type=$5

cmake -S "$source" -B "$second" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE="$type" >/dev/null
cmake --build "$second" -j "$(nproc)" --target OrvikPlayer lame >"$second/rebuild.log" 2>&1 ||
  { tail -n 30 "$second/rebuild.log"; echo "the second build failed (the whole log: $second/rebuild.log)"; exit 1; }
rm -f "$second"/packages/OrvikPlayer-*
(cd "$second" && cpack --config CPackConfig.cmake >>"$second/rebuild.log" 2>&1) ||
  { tail -n 30 "$second/rebuild.log"; echo "cpack failed in $second"; exit 1; }

failed=0
files=(OrvikPlayer.exe lame.exe)
for package in "$first"/packages/OrvikPlayer-*.zip "$first"/packages/OrvikPlayer-*-setup.exe; do
  files+=("packages/$(basename "$package")")
done
for file in "${files[@]}"; do
  if ! cmp -s "$first/$file" "$second/$file"; then
    echo "differs: $file ($(cmp "$first/$file" "$second/$file" 2>&1 | head -n 1))"
    failed=1
  fi
done
for exe in OrvikPlayer.exe lame.exe; do
  for folder in "$first" "$second" "$source"; do
    if grep -qaF "$folder/" "$first/$exe"; then
      echo "$exe holds the path $folder"
      failed=1
    fi
  done
done
[ "$failed" -eq 0 ] && echo "the same bytes: ${files[*]}"
exit "$failed"
