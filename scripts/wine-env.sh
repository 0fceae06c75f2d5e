# Sourced by the scripts that run Windows programs: the project's Wine prefix
# and its one-time preparation.
#   ORVIK_WINEPREFIX  prefix folder (default: build/wineprefix-<arch> in the tree)
_orvik_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$_orvik_root/scripts/arch.sh"
export WINEARCH=$ORVIK_WINE_ARCH
export WINEPREFIX=${ORVIK_WINEPREFIX:-$_orvik_root/build/wineprefix-$WINEARCH}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# The loader for the prefix's architecture (Debian's wine script would pick
# the 32-bit one whenever it is installed).
if [ "$WINEARCH" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  ORVIK_WINE=/usr/lib/wine/wine64
else
  ORVIK_WINE=wine
fi

# Creates the prefix once: no crash dialog (a crash fails a test
# instead of hanging it), and a named virtual desktop with a taskbar and a
# notification area, so that every program of the prefix shares one desktop.
wine_env_prepare() {
  [ -f "$WINEPREFIX/.orvik-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.orvik-ready" ] && exit 0
    "$ORVIK_WINE" wineboot -i >/dev/null 2>&1
    "$ORVIK_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    "$ORVIK_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d orvik /f >/dev/null 2>&1
    "$ORVIK_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v orvik /t REG_SZ /d 800x600 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.orvik-ready"
  ) 9>"$WINEPREFIX.lock"
}
