#!/usr/bin/env python3
"""Checks that level N of the level file can be finished: the playthrough reaches its hand.

First the level's section is read as the game reads it: all 115 keys there, every shown element
inside the field, the hand shown. Then the playthrough tests/levels/levelN.sim, a fresh game
played from level 1 to the hand of level N, is run through the scenario runner, and its last state
must show that game at the hand of level N: each level's bonus message once and in order, no ball
lost, no round-end dialog, and the start prompt waiting for the next click. After level 7 the game
has begun anew, so there the state must be that of a new game.

Usage: check_playthrough.py --sim QUIRLON95_SIM --levels 328lvd.ini --script levelN.sim --level N
"""
import argparse
import json
import re
import subprocess
import sys

FIELD_WIDTH, FIELD_HEIGHT = 632, 434
HEADER_BOTTOM = 40          # nothing lies in the header strip
PADDLE_BAND = 400           # no bar reaches down into the paddle's row
LAST_LEVEL = 7
ELEMENTS = (["hinder%d" % n for n in (1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13)]
            + ["dig%d" % n for n in range(1, 12)])
BONUS = "Super! Gleich gehts weiter mit dem nächsten Level! %d Bonus!"
AGAIN = "Sie können jetzt noch einmal mit Level 1 beginnen"


def read_section(path, name):
    """The keys of one section, lower-cased, as the profile service finds them."""
    keys, current = {}, None
    with open(path, encoding="utf-8") as text:
        for line in text:
            line = line.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("["):
                current = line[1:line.index("]")].strip().lower()
            elif current == name.lower() and "=" in line:
                key, value = line.split("=", 1)
                keys.setdefault(key.strip().lower(), value.strip())
    return keys


def layout_faults(path, level):
    keys = read_section(path, str(level))
    faults = []
    shown = {}
    for element in ELEMENTS:
        left_key = element if element in ("dig10", "dig11") else element + ".left"
        names = [left_key] + [element + suffix for suffix in
                              (".top", ".width", ".height", ".visible")]
        values = []
        for name in names:
            if not re.fullmatch(r"[+-]?\d+", keys.get(name, "")):
                faults.append("key %s missing or not a number" % name)
            else:
                values.append(int(keys[name]))
        if len(values) == 5 and values[4] != 0:
            shown[element] = values[:4]
    for element, (left, top, width, height) in shown.items():
        bottom = PADDLE_BAND if element.startswith("hinder") else FIELD_HEIGHT
        if left < 0 or top < HEADER_BOTTOM or left + width > FIELD_WIDTH or top + height > bottom:
            faults.append("%s at %s lies outside the field" % (element, (left, top, width, height)))
    if "dig11" not in shown:
        faults.append("the hand dig11 is not shown")
    return faults


def script_faults(path):
    """A player's rhythm: one countdown step after every 31 ticks."""
    ticks = countdowns = 0
    with open(path, encoding="utf-8") as text:
        for line in text:
            words = line.split("#")[0].split()
            if words[:1] == ["tick"]:
                ticks += int(words[1]) if len(words) > 1 else 1
            elif words[:1] == ["countdown"]:
                countdowns += int(words[1]) if len(words) > 1 else 1
    if countdowns != ticks // 31:
        return ["%d ticks but %d countdown steps" % (ticks, countdowns)]
    return []


def end_faults(state, level):
    faults = []
    bonuses = [m for m in state["messages"] if m.startswith(BONUS.split("%d")[0])]
    expected = [BONUS % (25 * n) for n in range(1, level + 1)]
    if bonuses != expected:
        faults.append("bonus messages %s, expected %s" % (bonuses, expected))
    if state["form2"]["visible"]:
        faults.append("the round-end dialog is showing: %s" % state["form2"]["text"])
    if not state["labels"]["Label4"]:
        faults.append("the start prompt is not showing")
    if not state["halt"]:
        faults.append("the game is not standing still")
    if state["baelle"] != 2:
        faults.append("%d balls left, the playthrough lost one" % state["baelle"])
    if level < LAST_LEVEL:
        if state["levelnr"] != level:
            faults.append("level %d, expected %d" % (state["levelnr"], level))
        if state["messages"][-1:] != [BONUS % (25 * level)]:
            faults.append("the last message is not the bonus of level %d" % level)
    else:
        # After the last level the game begins anew: level 0, 1000 points, the offer to go on.
        if (state["levelnr"], state["punkte"]) != (0, 1000):
            faults.append("level %d with %d points, expected a new game"
                          % (state["levelnr"], state["punkte"]))
        if not state["messages"] or not state["messages"][-1].startswith(AGAIN):
            faults.append("no offer to begin again after the last level")
    return faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sim", required=True)
    parser.add_argument("--levels", required=True)
    parser.add_argument("--script", required=True)
    parser.add_argument("--level", type=int, required=True)
    args = parser.parse_args()

    faults = layout_faults(args.levels, args.level) + script_faults(args.script)
    run = subprocess.run([args.sim, args.levels, args.script], capture_output=True, text=True)
    lines = run.stdout.strip().splitlines()
    if run.returncode != 0 or not lines:
        faults.append("the runner failed (%d): %s" % (run.returncode, run.stderr.strip()))
    else:
        state = json.loads(lines[-1])
        faults += end_faults(state, args.level)
        print("level %d: %d points, messages %s" % (args.level, state["punkte"],
                                                    state["messages"][-1:]))
    for fault in faults:
        print("FAIL: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
