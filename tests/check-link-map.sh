#!/usr/bin/env bash
# Fails unless the linker's map shows the program's own handlers of what the C++ runtime reports
# (src/app/win32/QuietTerminate.cpp) linked, and not the runtime's units they stand in for.
set -eu
pulled=$(grep -oE '\((functexcept|vterminate|cp-demangle)\.o\)' "$1" | sort -u || true)
[ -z "$pulled" ] || { echo "runtime units linked:" $pulled >&2; exit 1; }
for name in _ZN9__gnu_cxx27__verbose_terminate_handlerEv _ZSt20__throw_length_errorPKc; do
  grep -A1 -E '^ \.text\S*[.$]'"$name"'$' "$1" | grep -q QuietTerminate || { echo "$name: not the program's" >&2; exit 1; }
done
