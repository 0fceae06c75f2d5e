#!/usr/bin/env bash
# Fails unless the linker's map shows the program's own stand-ins for parts of the C++ runtime
# (src/app/win32/QuietTerminate.cpp, RuntimeLocks.cpp) linked, and not the runtime's units or the
# threads library they stand in for.
set -eu
pulled=$(grep -oE '\((functexcept|vterminate|cp-demangle)\.o\)|libwinpthread[^)]*\.o' "$1" | sort -u || true)
[ -z "$pulled" ] || { echo "runtime units linked:" $pulled >&2; exit 1; }
check() {  # symbol unit
  grep -A1 -E '^ \.text\S*[.$]'"$1"'$' "$3" | grep -q "$2" || { echo "$1: not the program's" >&2; exit 1; }
}
for name in _ZN9__gnu_cxx27__verbose_terminate_handlerEv _ZSt20__throw_length_errorPKc; do
  check "$name" QuietTerminate "$1"
done
for name in pthread_once pthread_mutex_lock pthread_key_create; do
  check "$name" RuntimeLocks "$1"
done
