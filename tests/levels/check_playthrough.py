#!/usr/bin/env python3
"""Checks that a playthrough proves level N of the level file can be finished.

The playthrough tests/levels/levelN.sim, written by `quirlon95-levels solve`, starts at the level's
standard start ("level N") and plays it as a player could: the mouse alone, one countdown step
after every 31 ticks. The scenario runner plays it, and its last state must show the hand of level
N reached: the level's bonus paid, no ball lost, no round-end dialog, the start prompt waiting.
After the last of the seven levels the game begins anew, so there the state is a new game's.

Usage: check_playthrough.py --sim QUIRLON95_SIM --levels 328lvd.ini --script levelN.sim --level N
"""
import argparse
import json
import subprocess
import sys

BONUS = "Super! Gleich gehts weiter mit dem nächsten Level! %d Bonus!"
LAST_LEVEL = 7


def script_faults(path, level):
    with open(path, encoding="utf-8") as text:
        lines = [line.split("#")[0].split() for line in text]
    lines = [words for words in lines if words]
    faults = [] if lines[:1] == [["level", str(level)]] else ["it does not start at level %d" % level]
    counts = {"tick": 0, "countdown": 0}
    for words in lines:
        if words[0] in counts:
            counts[words[0]] += int(words[1]) if len(words) > 1 else 1
        elif words[0] not in ("level", "move", "press", "release", "click"):
            faults.append("no player's event: %s" % " ".join(words))
    if counts["countdown"] != counts["tick"] // 31:
        faults.append("%(tick)d ticks but %(countdown)d countdown steps" % counts)
    return faults


def end_faults(state, level):
    expected = [BONUS % (25 * level)]
    faults = [] if state["messages"][:1] == expected else ["no bonus of level %d" % level]
    if state["form2"]["visible"] or state["baelle"] != 2:
        faults.append("a ball was lost")
    if not state["labels"]["Label4"] or not state["halt"]:
        faults.append("the game does not wait for the next start")
    new_game = (0, 1000) if level == LAST_LEVEL else None
    if new_game and (state["levelnr"], state["punkte"]) != new_game:
        faults.append("no new game after the last level")
    if not new_game and state["levelnr"] != level:
        faults.append("level %d, expected %d" % (state["levelnr"], level))
    return faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("--sim", "--levels", "--script"):
        parser.add_argument(name, required=True)
    parser.add_argument("--level", type=int, required=True)
    args = parser.parse_args()

    faults = script_faults(args.script, args.level)
    run = subprocess.run([args.sim, args.levels, args.script], capture_output=True, text=True)
    lines = run.stdout.strip().splitlines()
    if run.returncode != 0 or not lines:
        faults.append("the runner failed (%d): %s" % (run.returncode, run.stderr.strip()))
    else:
        faults += end_faults(json.loads(lines[-1]), args.level)
    for fault in faults:
        print("FAIL: level %d: %s" % (args.level, fault))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
