#!/usr/bin/env python3
"""Checks that quirlon95-levelsheet draws every level of the level file on one contact sheet.

The sheet holds one tile of the play field (632 x 434) per level, all of the file's or the ones
named, four to a row, with a gap of 8 pixels around and between them; a level file without any
level is refused.

Usage: check_sheet.py --sheet QUIRLON95_LEVELSHEET --levels 328lvd.ini --count N --out DIR
"""
import argparse
import os
import struct
import subprocess
import sys

FIELD = (632, 434)
COLUMNS = 4
GAP = 8


def png_size(path):
    with open(path, "rb") as picture:
        head = picture.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def expected_size(count):
    columns = min(COLUMNS, count)
    rows = (count + columns - 1) // columns
    return (columns * FIELD[0] + (columns + 1) * GAP, rows * FIELD[1] + (rows + 1) * GAP)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--sheet", "--levels", "--out"):
        parser.add_argument(option, required=True)
    parser.add_argument("--count", type=int, required=True)
    args = parser.parse_args()
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    faults = []
    cases = [(args.levels, [], args.count), (args.levels, ["1", "2", "3", "4", "5"], 5),
             (os.devnull, [], 0)]
    for levels, named, count in cases:
        out = os.path.join(args.out, "sheet-%d.png" % count)
        if os.path.exists(out):
            os.remove(out)
        done = subprocess.run([args.sheet, levels, out] + named, env=env, capture_output=True)
        if count == 0:
            if done.returncode == 0 or os.path.exists(out):
                faults.append("a file without levels gave a sheet")
        elif done.returncode != 0:
            faults.append("the sheet failed: %s" % done.stderr.decode(errors="replace").strip())
        elif png_size(out) != expected_size(count):
            faults.append("the sheet is %s, not %s" % (png_size(out), expected_size(count)))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
