#!/usr/bin/env python3
"""Holds the level tool's verdict on the shipped levels against the list of those still without a
person's proof.

`quirlon95-levels check` proves, with the default profile, every level of the file that the list
does not name: a level that loses its proof is a fault, and so is any error or warning the check
finds. The
levels on the list are left out, for a search that finds nothing runs its whole limit; a level
proved anew comes off the list by hand (and its proof becomes its kept playthrough).

Usage: check_unproved.py --levels-tool QUIRLON95_LEVELS --levels 328lvd.ini --list unproved.txt
"""
import argparse
import concurrent.futures
import re
import subprocess
import sys


def listed(path):
    with open(path, encoding="utf-8") as text:
        return {int(word) for line in text for word in line.split("#")[0].split()}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("--levels-tool", "--levels", "--list"):
        parser.add_argument(name, required=True)
    args = parser.parse_args()

    expected = listed(args.list)
    with open(args.levels, encoding="latin-1") as text:
        levels = sorted({int(m.group(1)) for m in re.finditer(r"^\[(\d+)\]", text.read(), re.M)})
    wanted = [str(level) for level in levels if level not in expected]
    faults = []
    # The listed levels are only checked for errors: a search with no room ends at once.
    listed_rows = table([args.levels_tool, "--budget", "1", "check", args.levels]
                        + [str(level) for level in levels if level in expected], faults)[0]
    faults += ["level %s has %s errors" % (r.group(1), r.group(2)) for r in listed_rows
               if int(r.group(2))]
    if not wanted:
        return report(faults)
    # Two level tools at once, each with every other level, so that both cores search.
    halves = [half for half in (wanted[0::2], wanted[1::2]) if half]
    with concurrent.futures.ThreadPoolExecutor(len(halves)) as pool:
        runs = list(pool.map(
            lambda half: table([args.levels_tool, "check", args.levels] + half, faults), halves))
    checked = set()
    for rows, returncode in runs:
        unproved = set()
        for row in rows:
            level, errors, warnings, verdict = (int(row.group(1)), int(row.group(2)),
                                                int(row.group(3)), row.group(4))
            if errors:
                faults.append("level %d has %d errors" % (level, errors))
            # What the game plays but likely not as meant (a trap, a bar where the red bar starts,
            # an element over another) has no place in a shipped level.
            if warnings:
                faults.append("level %d has %d warnings" % (level, warnings))
            if not verdict.startswith("proved: "):
                unproved.add(level)
            checked.add(level)
            print("level %d: %s" % (level, verdict))
        for level in sorted(unproved):
            faults.append("level %d has no proof and is not on the list" % level)
        if returncode != (1 if unproved else 0):
            faults.append("the check exited with %d" % returncode)
    for level in sorted(set(map(int, wanted)) - checked):
        faults.append("level %d was not checked" % level)
    return report(faults)


def table(command, faults):
    """The rows of the table the level tool prints, and its exit status."""
    run = subprocess.run(command, capture_output=True, text=True)
    rows = [re.match(r"\s*(\d+)\s+(\d+)\s+(\d+)\s+(.*)", line) for line in run.stdout.splitlines()]
    rows = [row for row in rows if row]
    if not rows:
        faults.append("the check printed no table: %s" % run.stderr.strip())
    return rows, run.returncode


def report(faults):
    for fault in faults:
        print("FAIL: %s" % fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
