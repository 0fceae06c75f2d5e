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
# The prefix counts as ready only once a first program has run in it; a boot
# that fails is reported with Wine's own errors and tried once more from
# scratch.
_orvik_boot() {
  local log=$1
  WINEDEBUG=-all,err+all "$ORVIK_WINE" wineboot -i >>"$log" 2>&1 || return 1
  "$ORVIK_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$log" 2>&1 &&
  "$ORVIK_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d orvik /f >>"$log" 2>&1 &&
  "$ORVIK_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v orvik /t REG_SZ /d 800x600 /f >>"$log" 2>&1 ||
    return 1
  wineserver -w
  WINEDEBUG=-all,err+all "$ORVIK_WINE" cmd /c exit 7 >>"$log" 2>&1
  [ $? -eq 7 ] || return 1
  wineserver -w
}

wine_env_prepare() {
  [ -f "$WINEPREFIX/.orvik-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.orvik-ready" ] && exit 0
    log="$WINEPREFIX.boot.log"
    for attempt in 1 2; do
      : >"$log"
      if _orvik_boot "$log"; then
        touch "$WINEPREFIX/.orvik-ready"
        exit 0
      fi
      echo "wine-env: preparing the Wine prefix $WINEPREFIX failed (attempt $attempt):" >&2
      cat "$log" >&2
      wineserver -k 2>/dev/null
      wineserver -w 2>/dev/null
      rm -rf "$WINEPREFIX"
    done
    exit 1
  ) 9>"$WINEPREFIX.lock"
}
