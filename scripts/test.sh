#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the
# portable unit tests natively, then under Wine the same unit tests, the
# Win32 tests and the end-to-end tests against the real OrvikPlayer.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -eq 0 ]; then bash "$root/scripts/setup.sh"; fi
bash "$root/scripts/build.sh"
source "$root/scripts/arch.sh"

echo "== static analysis of the portable logic"
cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability --std=c++17 --language=c++ \
  -I "$root/src" "$root"/src/*/*.cpp

echo "== names by role"
python3 "$root/tests/check-names.py" "$root"

echo "== native unit tests"
ctest --test-dir "$root/build/native" --output-on-failure -j "$(nproc)"

echo "== fuzzing the portable parsers (about 30 s per target)"
bash "$root/scripts/fuzz.sh" 30

# Wine's own errors go with a failed test's output. The session prepares
# the Wine prefix before the first test.
export WINEDEBUG=-all,err+all
echo "== shipped program (build/win32)"
if [ "$ORVIK_WINE_ARCH" = win32 ]; then
  "$root/scripts/session.sh" ctest --test-dir "$root/build/win32" --output-on-failure
else
  ctest --test-dir "$root/build/win32" --output-on-failure -R '^(imports|runtime_reports|package_build)'
  echo "== under Wine (build/win64: this kernel runs no 32-bit programs)"
  "$root/scripts/session.sh" ctest --test-dir "$root/build/win64" --output-on-failure
fi
