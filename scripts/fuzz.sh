#!/usr/bin/env bash
# Builds every libFuzzer target (tests/fuzz/*_fuzz.cpp) natively with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs each for a
# bounded time from its checked-in seeds (tests/fuzz/corpus/<name>/), with
# tests/fuzz/<name>.dict when there is one. Fails on any finding; the input
# that found it is kept in build/fuzz/findings/.
#   scripts/fuzz.sh [seconds per target, default 30] [target names...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
out="$root/build/fuzz"
cxx=$(command -v clang++ || command -v clang++-14 || true)
[ -n "$cxx" ] || { echo "fuzz.sh: clang++ is missing (scripts/setup.sh installs it)" >&2; exit 1; }

cmake -S "$root/tests/fuzz" -B "$out" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j 2 >"$out/build.log" 2>&1 || { cat "$out/build.log" >&2; exit 1; }

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in "$root"/tests/fuzz/*_fuzz.cpp; do names+=("$(basename "$source" _fuzz.cpp)"); done
fi

failed=0
mkdir -p "$out/findings"
for name in "${names[@]}"; do
  seeds="$root/tests/fuzz/corpus/$name"
  work="$out/corpus/$name"  # what a run finds stays out of the tree
  mkdir -p "$work"
  args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$out/findings/$name-")
  [ -f "$root/tests/fuzz/$name.dict" ] && args+=(-dict="$root/tests/fuzz/$name.dict")
  corpora=("$work")
  [ -d "$seeds" ] && corpora+=("$seeds")
  log="$out/$name.log"
  if "$out/${name}_fuzz" "${args[@]}" "${corpora[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "fuzz $name: ${runs:-?} runs in ${seconds} s, no finding"
  else
    failed=1
    echo "fuzz $name: FINDING (log $log, input in $out/findings/)" >&2
    tail -40 "$log" >&2
  fi
done
exit $failed
