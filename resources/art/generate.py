"""Draws every picture of the program into the folder given on the command
line. Each module in this folder with a draw(out_dir) function contributes
its own pictures; the .rc files embed them by file name."""
import importlib
import os
import pkgutil
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for info in sorted(pkgutil.iter_modules([here]), key=lambda m: m.name):
        if info.name in ("generate", "raster"):
            continue
        module = importlib.import_module(info.name)
        if hasattr(module, "draw"):
            module.draw(out)


if __name__ == "__main__":
    main()
