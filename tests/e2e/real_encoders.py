#!/usr/bin/env python3
"""Runs Debian's real lame, oggenc and oggdec with the parameter texts that
the end-to-end tests recorded from the fake tools, to prove that the command
lines the program builds are ones the real encoders accept.

Each recorded run gives the tool, its working directory and its parameter
text, with Windows paths. The text is split into arguments as a Windows
program would split it, paths are mapped onto the Linux file system through
the Wine prefix's drive links, a generated WAV (or an Ogg Vorbis file made
from it) is put where the input path points, and the tool runs natively in
the mapped working directory. The result must be a valid MP3, Ogg Vorbis or
WAV file. Exits 77 (skipped) when the encoders are not installed.
"""
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

SKIP = 77
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def wine_prefix():
    out = subprocess.run(["bash", "-c", 'source "$1/scripts/wine-env.sh" && echo "$WINEPREFIX"', "_", ROOT],
                         capture_output=True, text=True, check=True)
    return out.stdout.strip()


def split_arguments(text):
    """Windows command-line splitting: blanks and tabs separate arguments,
    double quotes group; 2n backslashes before a quote give n and a quote
    that toggles, 2n+1 give n and a literal quote; other backslashes are
    literal."""
    args, current, quoted, have, i = [], [], False, False, 0
    while i < len(text):
        c = text[i]
        if c == "\\":
            j = i
            while j < len(text) and text[j] == "\\":
                j += 1
            n = j - i
            if j < len(text) and text[j] == '"':
                current.append("\\" * (n // 2))
                if n % 2:
                    current.append('"')
                    i = j + 1
                else:
                    i = j
                have = True
                continue
            current.append("\\" * n)
            have = True
            i = j
            continue
        if c == '"':
            quoted = not quoted
            have = True
        elif c in " \t" and not quoted:
            if have:
                args.append("".join(current))
            current, have = [], False
        else:
            current.append(c)
            have = True
        i += 1
    if have:
        args.append("".join(current))
    return args


def to_linux(path, prefix):
    """C:\\a\\b through the prefix's dosdevices links; components are matched
    without regard to case, as Windows would, where they already exist."""
    m = re.match(r"^([A-Za-z]):[\\/]?(.*)$", path)
    if not m:
        return None
    base = os.path.realpath(os.path.join(prefix, "dosdevices", m.group(1).lower() + ":"))
    for part in [p for p in re.split(r"[\\/]", m.group(2)) if p]:
        exact = os.path.join(base, part)
        if not os.path.exists(exact) and os.path.isdir(base):
            for name in os.listdir(base):
                if name.lower() == part.lower():
                    exact = os.path.join(base, name)
                    break
        base = exact
    return base


def write_wav(path, seconds=1.0, rate=44100):
    frames = bytearray()
    for n in range(int(seconds * rate)):
        v = int(12000 * math.sin(2 * math.pi * 440 * n / rate))
        frames += struct.pack("<hh", v, v)
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def is_mp3(data):
    return data[:3] == b"ID3" or (len(data) > 1 and data[0] == 0xFF and (data[1] & 0xE0) == 0xE0)


def read_runs(path):
    runs, run = [], {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            key, _, value = line.rstrip("\r\n").partition("=")
            run[key] = value
            if key == "params":
                runs.append(run)
                run = {}
    return runs


def main():
    if len(sys.argv) != 2:
        print("usage: real_encoders.py <encoder-runs.txt>")
        return 2
    missing = [t for t in ("lame", "oggenc", "oggdec") if not shutil.which(t)]
    if missing:
        print("SKIPPED: the real encoders are not installed (%s); install lame and vorbis-tools" % ", ".join(missing))
        return SKIP
    runs = read_runs(sys.argv[1])
    if not runs:
        print("no recorded runs in %s" % sys.argv[1])
        return 1
    prefix = wine_prefix()
    failures = 0
    for run in runs:
        tool = run["tool"].lower().removesuffix(".exe")
        params = run["params"]
        cwd = to_linux(run["cwd"], prefix)
        created = []
        if not os.path.isdir(cwd):
            top = cwd
            while not os.path.isdir(os.path.dirname(top)):
                top = os.path.dirname(top)
            created.append(top)
            os.makedirs(cwd)
        args = [to_linux(a, prefix) or a for a in split_arguments(params)]
        try:
            # The input: the argument that names an existing folder's file.
            inputs = [a for a in args if a.lower().endswith((".wav", ".ogg")) and os.path.isabs(a)]
            if len(inputs) != 1:
                raise RuntimeError("expected one input path in %r" % params)
            source = inputs[0]
            os.makedirs(os.path.dirname(source), exist_ok=True)
            if source.lower().endswith(".ogg"):
                with tempfile.TemporaryDirectory() as tmp:
                    write_wav(os.path.join(tmp, "in.wav"))
                    subprocess.run(["oggenc", "-Q", "-o", source, os.path.join(tmp, "in.wav")], check=True)
            else:
                write_wav(source)
            result = subprocess.run([tool] + args, cwd=cwd, capture_output=True, text=True)
            if result.returncode != 0:
                raise RuntimeError("%s failed (%d): %s" % (tool, result.returncode, result.stderr[-500:]))
            if tool == "lame":
                out = args[-1] if os.path.isabs(args[-1]) else os.path.join(cwd, args[-1])
                ok = os.path.isfile(out) and is_mp3(open(out, "rb").read(4)) and os.path.getsize(out) > 1000
            elif tool == "oggenc":
                out = os.path.splitext(source)[0] + ".ogg"
                head = open(out, "rb").read(64) if os.path.isfile(out) else b""
                ok = head[:4] == b"OggS" and b"vorbis" in head
            else:
                out = os.path.splitext(source)[0] + ".wav"
                head = open(out, "rb").read(12) if os.path.isfile(out) else b""
                ok = head[:4] == b"RIFF" and head[8:12] == b"WAVE"
            if not ok:
                raise RuntimeError("%s gave no valid output at %s" % (tool, out))
            print("ok   %-6s %s" % (tool, params))
        except Exception as e:  # report every run, then fail
            failures += 1
            print("FAIL %-6s %s\n     %s" % (tool, params, e))
        finally:
            for path in created:
                shutil.rmtree(path, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
