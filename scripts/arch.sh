# Sourced: sets ORVIK_WINE_ARCH to win32 when this machine's kernel runs
# 32-bit programs and 32-bit Wine is installed (setup.sh installs it where
# the kernel runs it and the package mirror lets it), else to win64. The
# program ships as PE32 either way; where 32-bit Wine cannot run, the tests
# run a 64-bit build of the same sources. ORVIK_WINE_ARCH set by the caller
# wins.
orvik_can_run_32bit() {
  local probe
  probe=$(mktemp /tmp/orvik-ia32.XXXXXX)
  # A minimal 32-bit ELF program: exit(0) through int 0x80.
  python3 - "$probe" <<'PY'
import struct, sys
code = bytes([0xB8, 1, 0, 0, 0, 0x31, 0xDB, 0xCD, 0x80])
ehdr = struct.pack("<4sBBBBB7sHHIIIIIHHHHHH", b"\x7fELF", 1, 1, 1, 0, 0, b"\0" * 7,
                   2, 3, 1, 0x08048054, 52, 0, 0, 52, 32, 1, 0, 0, 0)
phdr = struct.pack("<IIIIIIII", 1, 0, 0x08048000, 0x08048000, 84 + len(code), 84 + len(code), 5, 0x1000)
open(sys.argv[1], "wb").write(ehdr + phdr + code)
PY
  chmod +x "$probe"
  "$probe" 2>/dev/null
  local rc=$?
  rm -f "$probe"
  return $rc
}

if [ -z "${ORVIK_WINE_ARCH:-}" ]; then
  # /usr/lib/wine/wine: Debian's 32-bit Wine loader (package wine32:i386).
  if [ -x /usr/lib/wine/wine ] && orvik_can_run_32bit; then ORVIK_WINE_ARCH=win32; else ORVIK_WINE_ARCH=win64; fi
fi
export ORVIK_WINE_ARCH
