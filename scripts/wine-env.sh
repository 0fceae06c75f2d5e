# Sourced by the scripts that run Windows programs: the project's Wine prefix
# and its one-time preparation.
#   ORVIK_WINEPREFIX  prefix folder (default: build/wineprefix-<arch> in the tree)
_orvik_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$_orvik_root/scripts/arch.sh"
export WINEARCH=$ORVIK_WINE_ARCH
export WINEPREFIX=${ORVIK_WINEPREFIX:-$_orvik_root/build/wineprefix-$WINEARCH}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko prompts; and no menu entries or icons on this machine's own
# desktop for the shortcuts an installer makes in the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
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
# scratch. The ready mark holds the version of these settings: a prefix made
# by an older version gets the newer settings on its next use.
ORVIK_PREFIX_VERSION=4

# The settings of the prefix, applied to a new one and again to one made by
# an older version: the taskbar shows task buttons on the named desktop only
# when its shell is enabled (EnableShell), and title-bar buttons need the
# Marlett font, which a new prefix lacks (they showed "0", "1", "r").
# Text in a font that lacks a character's glyph is drawn, as on Windows,
# with the fonts that the font's FontLink\SystemLink entry names ("file,face"
# in the Fonts folder): Windows ships such links for its fonts and adds a
# fallback of its own (Uniscribe); Wine draws only what a link names. Wine
# has no TrueType MS Sans Serif, the program's font, and draws it with
# Liberation Sans (a link named "MS Sans Serif" would replace the font by
# its first link); so Liberation Sans, and Tahoma for the system's boxes and
# dialogs, get links to fonts with Japanese, Chinese and Korean glyphs and
# with emoji (packages fonts-droid-fallback and fonts-symbola). Wine 8 still
# draws a character beyond the first plane (an emoji) as two boxes.
_orvik_configure() {
  local log=$1
  "$ORVIK_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$log" 2>&1 &&
  "$ORVIK_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d orvik /f >>"$log" 2>&1 &&
  "$ORVIK_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v orvik /t REG_SZ /d 800x600 /f >>"$log" 2>&1 &&
  "$ORVIK_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops\orvik' /v EnableShell /t REG_DWORD /d 1 /f \
    >>"$log" 2>&1 || return 1
  # The menu builder is off (WINEDLLOVERRIDES): nothing to start at boot.
  "$ORVIK_WINE" reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\RunServices' /v winemenubuilder /f \
    >>"$log" 2>&1 || true
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp -f /usr/share/wine/fonts/marlett.ttf "$fonts/marlett.ttf" || return 1
  else
    echo "wine-env: /usr/share/wine/fonts/marlett.ttf is missing (package fonts-wine)" >>"$log"
  fi
  local linked=() font
  for font in /usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf,"Droid Sans Fallback" \
    /usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf,Symbola; do
    if [ -f "${font%%,*}" ]; then
      cp -f "${font%%,*}" "$fonts/" || return 1
      linked+=("$(basename "${font%%,*}"),${font#*,}")
    else
      echo "wine-env: ${font%%,*} is missing (scripts/setup.sh installs it): some names show boxes" >>"$log"
    fi
  done
  if [ ${#linked[@]} -gt 0 ]; then
    local links face
    links=$(IFS='|'; echo "${linked[*]}")
    links=${links//|/\\0}
    for face in "Liberation Sans" Tahoma; do
      "$ORVIK_WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d "$links" /f >>"$log" 2>&1 || return 1
    done
  fi
  wineserver -w
}

_orvik_boot() {
  local log=$1
  WINEDEBUG=-all,err+all "$ORVIK_WINE" wineboot -i >>"$log" 2>&1 || return 1
  _orvik_configure "$log" || return 1
  WINEDEBUG=-all,err+all "$ORVIK_WINE" cmd /c exit 7 >>"$log" 2>&1
  [ $? -eq 7 ] || return 1
  wineserver -w
}

_orvik_prefix_current() {
  [ -f "$WINEPREFIX/.orvik-ready" ] && [ "$(cat "$WINEPREFIX/.orvik-ready")" = "$ORVIK_PREFIX_VERSION" ]
}

# A prefix that could not be made or updated: says why, with Wine's own
# errors, and removes it.
_orvik_discard() {  # log message
  echo "wine-env: $2:" >&2
  cat "$1" >&2
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  rm -rf "$WINEPREFIX"
}

wine_env_prepare() {
  _orvik_prefix_current && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    _orvik_prefix_current && exit 0
    log="$WINEPREFIX.boot.log"
    if [ -f "$WINEPREFIX/.orvik-ready" ]; then
      # Made by an older version: bring its settings up to date.
      : >"$log"
      if _orvik_configure "$log"; then
        echo "$ORVIK_PREFIX_VERSION" >"$WINEPREFIX/.orvik-ready"
        exit 0
      fi
      _orvik_discard "$log" "updating the Wine prefix $WINEPREFIX failed; making it anew"
    fi
    for attempt in 1 2; do
      : >"$log"
      if _orvik_boot "$log"; then
        echo "$ORVIK_PREFIX_VERSION" >"$WINEPREFIX/.orvik-ready"
        exit 0
      fi
      _orvik_discard "$log" "preparing the Wine prefix $WINEPREFIX failed (attempt $attempt)"
    done
    exit 1
  ) 9>"$WINEPREFIX.lock"
}
