#!/usr/bin/env bash
# Fails when the executable imports a DLL that is not part of Windows itself
# (libgcc, libstdc++ and winpthread must be linked statically).
set -eu
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32|WINMM|MSIMG32|msvcrt|MSVCRT)\.dll$'
dlls=$(i686-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p')
echo "$dlls"
bad=$(echo "$dlls" | grep -viE "$allowed" || true)
if [ -n "$bad" ]; then
  echo "not a system DLL: $bad" >&2
  exit 1
fi
i686-w64-mingw32-objdump -f "$1" | grep -q 'file format pei-i386' || { echo "not PE32 i386" >&2; exit 1; }
echo "imports ok"
