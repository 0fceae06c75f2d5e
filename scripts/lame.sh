#!/usr/bin/env bash
# Builds lame.exe, the MP3 encoder that comes with the program, from Debian's
# lame source package (LAME 3.100), with the project's MinGW toolchain:
# static (only system DLLs), -O3 -msse2 -mfpmath=sse, without LAME's mpg123
# decoder (the program only encodes WAV with it, and the decoder would bring
# GPL code into the binary), stripped, with no manifest, and without a link
# time stamp, so that the same source gives the same lame.exe byte for byte.
#   lame.sh <output folder> <packages folder> <C compiler> <host triplet>
# Writes lame.exe, LAME's licence (COPYING) and its notice (LAME.txt) into the
# output folder, and the exact source it was built from (Debian's .dsc, the
# upstream tarball and Debian's patch tarball) into the packages folder.
#
# The source is fetched once with apt-get source, through a deb-src list and
# package lists of its own for the archive and suites of this machine's apt
# sources (the machine's apt configuration stays as it is), and cached in
# build/sources/lame (ORVIK_SOURCE_CACHE sets the folder above it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1 packages=$2 cc=$3 host=$4
cache=${ORVIK_SOURCE_CACHE:-$root/build/sources}/lame

fail() {
  echo "lame.sh: $*" >&2
  exit 1
}

# deb-src entries (deb822) for this machine's Debian sources of its own
# release: the same URIs, suites (codename, codename-updates, -security...),
# components and keys as the binary entries.
deb_src_entries() {
  python3 - <<'PY'
import glob, re
release = {}
for line in open("/etc/os-release"):
    key, _, value = line.strip().partition("=")
    release[key] = value.strip('"')
codename = release.get("VERSION_CODENAME", "")

def ours(suite):
    return codename and (suite == codename or suite.startswith(codename + "-"))

entries = []
for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
    for stanza in re.split(r"\n[ \t]*\n", open(path).read()):
        fields, key = {}, None
        for line in stanza.splitlines():
            if line.startswith("#") or not line.strip():
                continue
            if line[0] in " \t" and key:
                fields[key] += "\n " + line.strip()
                continue
            key, _, value = line.partition(":")
            key = key.strip().lower()
            fields[key] = value.strip()
        if "deb" not in fields.get("types", "").split() or fields.get("enabled", "yes").lower() == "no":
            continue
        suites = [s for s in fields.get("suites", "").split() if ours(s)]
        if suites:
            entries.append((fields["uris"], suites, fields.get("components", "main"), fields.get("signed-by")))
for path in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*.list")):
    try:
        lines = open(path).read().splitlines()
    except OSError:
        continue
    for line in lines:
        m = re.match(r"deb\s+(?:\[([^\]]*)\]\s+)?(\S+)\s+(\S+)\s*(.*)$", line.split("#", 1)[0].strip())
        if m and ours(m.group(3)):
            key = re.search(r"signed-by=(\S+)", m.group(1) or "")
            entries.append((m.group(2), [m.group(3)], m.group(4) or "main", key.group(1) if key else None))
for uris, suites, components, key in entries:
    print("Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s" % (uris, " ".join(suites), components))
    if key:
        print("Signed-By: %s" % key)
    print()
PY
}

fetch() {
  local apt=$cache/apt
  rm -rf "$apt" "$cache/download"
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$cache/download"
  deb_src_entries >"$apt/sources.list.d/deb-src.sources"
  [ -s "$apt/sources.list.d/deb-src.sources" ] ||
    fail "no Debian apt source of this machine's release to fetch lame's source from (/etc/apt/sources.list*)"
  # Private lists and cache: nothing of the machine's apt state changes.
  local options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt/sources.list.d"
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o Dir::Cache::pkgcache=
    -o Dir::Cache::srcpkgcache= -o APT::Sandbox::User=root)
  echo "lame.sh: fetching Debian's lame source package (once; cached in $cache)"
  # A mirror in the middle of a sync may fail some index (of another suite,
  # say): what counts is whether the source can be had.
  apt-get "${options[@]}" -q update >"$cache/fetch.log" 2>&1 ||
    echo "lame.sh: apt-get update reported failed indexes; trying to fetch the source with the lists there are"
  (cd "$cache/download" && apt-get "${options[@]}" -q source --download-only lame) >>"$cache/fetch.log" 2>&1 || {
    cat "$cache/fetch.log" >&2
    fail "the source of Debian's lame package could not be fetched (above: apt-get's own words); without it there is no lame.exe"
  }
  mv "$cache"/download/lame_* "$cache/"
  rm -rf "$cache/download" "$apt"
}

dsc=$(ls "$cache"/lame_*.dsc 2>/dev/null | head -n 1 || true)
if [ -z "$dsc" ] || [ ! -f "$cache/complete" ]; then
  mkdir -p "$cache"
  rm -f "$cache"/lame_* "$cache/complete"
  fetch
  dsc=$(ls "$cache"/lame_*.dsc | head -n 1)
  touch "$cache/complete"
fi
package_version=$(sed -n 's/^Version: //p' "$dsc")
upstream_version=${package_version%-*}
orig=$(basename "$(ls "$cache"/lame_"$upstream_version".orig.tar.*)")
debian=$(basename "$(ls "$cache"/lame_"$package_version".debian.tar.*)")

# Unpacked with Debian's patches applied, and built afresh.
work=$out/lame-build
rm -rf "$work"
mkdir -p "$work"
log=$work/build.log
echo "lame.sh: building lame.exe from lame $package_version"
dpkg-source -x "$dsc" "$work/src" >"$log" 2>&1 || { cat "$log" >&2; fail "dpkg-source could not unpack $dsc"; }
# The manifest as a resource object, linked in with the program's objects.
printf '1 24 "%s"\n' "$root/cmake/packaging/lame.exe.manifest" >"$work/manifest.rc"
"$host-windres" -O coff -i "$work/manifest.rc" -o "$work/manifest.o" >>"$log" 2>&1 ||
  { cat "$log" >&2; fail "the manifest of lame.exe could not be compiled"; }
(
  cd "$work/src"
  ./configure --host="$host" CC="$cc" CFLAGS="-O3 -msse2 -mfpmath=sse" \
    --disable-shared --enable-static --disable-decoder --disable-gtktest --disable-analyzer-hooks
  make -j"$(nproc)" LDFLAGS="-static -s -Wl,--no-insert-timestamp"
  # lame.exe linked again, now with its manifest (the libraries take no
  # resources).
  rm -f frontend/lame.exe
  make -C frontend lame.exe LDFLAGS="-static -s -Wl,--no-insert-timestamp $work/manifest.o"
) >>"$log" 2>&1 || { tail -n 40 "$log" >&2; fail "building lame.exe failed (the whole log: $log)"; }

cp "$work/src/frontend/lame.exe" "$out/lame.exe"
cp "$work/src/COPYING" "$out/COPYING"
sed -e "s/@LAME_VERSION@/$upstream_version/g" -e "s/@LAME_PACKAGE_VERSION@/$package_version/g" \
  -e "s/@LAME_ORIG@/$orig/g" -e "s/@LAME_DEBIAN@/$debian/g" -e 's/$/\r/' \
  "$root/cmake/packaging/LAME.txt.in" >"$out/LAME.txt"
mkdir -p "$packages"
rm -f "$packages"/lame_*
cp "$dsc" "$cache/$orig" "$cache/$debian" "$packages/"
rm -rf "$work"
