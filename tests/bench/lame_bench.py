#!/usr/bin/env python3
"""Prints the CPU time of the lame.exe that ships with the program, run
under Wine, against Debian's own lame on the same generated 60-second
stereo WAV with the Lame face's default options (-h -b 128): paired runs
(the two in turn, after one warm-up run each), the medians, and their ratio;
then whether both MP3s decode. Figures only: nothing is asserted.

  lame_bench.py <lame.exe> <wine command> [pairs (5)]

The CPU time is user plus system time of the finished process and its
children (Wine's own server, kept running by the caller, is not counted).
"""
import math
import os
import resource
import statistics
import struct
import subprocess
import sys
import tempfile
import wave

OPTIONS = ["-h", "-b", "128"]


def write_wav(path, seconds=60, rate=44100):
    # A chord that moves, so that the encoder has real work in every frame.
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(rate)
        frames = bytearray()
        for n in range(seconds * rate):
            t = n / rate
            left = 0.3 * math.sin(2 * math.pi * 220 * t) + 0.2 * math.sin(2 * math.pi * (330 + 40 * math.sin(t)) * t)
            right = 0.3 * math.sin(2 * math.pi * 277 * t) + 0.2 * math.sin(2 * math.pi * 440 * t) * math.cos(t)
            frames += struct.pack("<hh", int(12000 * left), int(12000 * right))
        w.writeframes(bytes(frames))


def cpu_seconds(command, cwd):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    with open(os.path.join(cwd, "run.log"), "ab") as log:
        subprocess.run(command, cwd=cwd, stdout=log, stderr=log, stdin=subprocess.DEVNULL, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def decodes(path, folder):
    out = os.path.join(folder, "decoded.wav")
    ok = subprocess.run(["lame", "--quiet", "--decode", path, out]).returncode == 0 and os.path.isfile(out)
    frames = wave.open(out).getnframes() if ok else 0
    if os.path.exists(out):
        os.remove(out)
    return ok, frames


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    exe, wine = os.path.abspath(sys.argv[1]), sys.argv[2]
    pairs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    with tempfile.TemporaryDirectory(prefix="orvik-lame-bench.") as folder:
        write_wav(os.path.join(folder, "in.wav"))
        shipped = [wine, exe] + OPTIONS + ["in.wav", "shipped.mp3"]
        native = ["lame"] + OPTIONS + ["in.wav", "native.mp3"]
        cpu_seconds(shipped, folder)  # warm-up: the Wine prefix and the page cache
        cpu_seconds(native, folder)
        times = {"shipped": [], "native": []}
        for _ in range(pairs):
            times["shipped"].append(cpu_seconds(shipped, folder))
            times["native"].append(cpu_seconds(native, folder))
        ratios = [s / n for s, n in zip(times["shipped"], times["native"]) if n > 0]
        print("lame: CPU seconds to encode a 60 s stereo WAV with %s, %d pairs" % (" ".join(OPTIONS), pairs))
        for name, label in (("shipped", "lame.exe under Wine (shipped)"), ("native", "Debian's lame (x86-64)")):
            print("  %-32s median %6.2f s   runs %s" % (label, statistics.median(times[name]),
                                                        " ".join("%.2f" % t for t in times[name])))
        print("  %-32s %6.2fx (median of the pairs' ratios %.2fx)" % (
            "ratio of the medians", statistics.median(times["shipped"]) / statistics.median(times["native"]),
            statistics.median(ratios)))
        source = wave.open(os.path.join(folder, "in.wav")).getnframes()
        for name in ("shipped", "native"):
            ok, frames = decodes(os.path.join(folder, name + ".mp3"), folder)
            print("  %-32s %s" % (name + ".mp3", "decodes: %d of %d frames" % (frames, source) if ok else
                                  "DOES NOT DECODE"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
