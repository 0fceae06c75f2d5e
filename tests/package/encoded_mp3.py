#!/usr/bin/env python3
"""Decodes the MP3 that the installed program's own lame.exe wrote (the
package test copies it and its WAV beside itself as installed-lame.mp3 and
installed-lame.wav) with Debian's lame, and checks that it is a valid MP3
as long as the WAV. Exits 77 (skipped) when Debian's lame is absent."""
import os
import shutil
import subprocess
import sys
import tempfile
import wave

FRAME = 1152  # samples in one MPEG-1 Layer III frame


def main():
    folder = sys.argv[1]
    mp3, wav = (os.path.join(folder, "installed-lame." + ext) for ext in ("mp3", "wav"))
    if not shutil.which("lame"):
        print("SKIPPED: Debian's lame is not installed")
        return 77
    if not (os.path.isfile(mp3) and os.path.isfile(wav)):
        print("no %s: the package test did not get to encode" % mp3)
        return 1
    with tempfile.TemporaryDirectory() as tmp:
        decoded = os.path.join(tmp, "decoded.wav")
        run = subprocess.run(["lame", "--quiet", "--decode", mp3, decoded], capture_output=True, text=True)
        if run.returncode != 0 or not os.path.isfile(decoded):
            print("lame --decode failed (%d): %s" % (run.returncode, run.stderr[-500:]))
            return 1
        with wave.open(wav) as a, wave.open(decoded) as b:
            source, result = (a.getnframes(), a.getframerate(), a.getnchannels()), \
                (b.getnframes(), b.getframerate(), b.getnchannels())
    print("source %d frames at %d Hz, %d channels; decoded %d frames at %d Hz, %d channels" % (source + result))
    if source[1:] != result[1:] or abs(source[0] - result[0]) > FRAME:
        print("FAIL: the MP3 is not as long as the WAV it was made from")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
