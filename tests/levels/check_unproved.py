#!/usr/bin/env python3
"""Holds the level tool's verdict on the shipped levels against the list of those still without a
person's proof.

`quirlon95-levels check` proves every level of the file with the default profile. The levels it
finds no proof for must be exactly the ones the list names: a level proved anew comes off the
list (and its proof becomes its kept playthrough), so the list can only shrink; a level that loses
its proof is a fault. Any error the check finds is a fault too.

Usage: check_unproved.py --levels-tool QUIRLON95_LEVELS --levels 328lvd.ini --list unproved.txt
"""
import argparse
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

    run = subprocess.run([args.levels_tool, "check", args.levels], capture_output=True, text=True)
    rows = [re.match(r"\s*(\d+)\s+(\d+)\s+(\d+)\s+(.*)", line) for line in run.stdout.splitlines()]
    rows = [row for row in rows if row]
    faults = [] if rows else ["the check printed no table: %s" % run.stderr.strip()]
    unproved = set()
    for row in rows:
        level, errors, verdict = int(row.group(1)), int(row.group(2)), row.group(4)
        if errors:
            faults.append("level %d has %d errors" % (level, errors))
        if not verdict.startswith("proved: "):
            unproved.add(level)
        print("level %d: %s" % (level, verdict))
    expected = listed(args.list)
    for level in sorted(unproved - expected):
        faults.append("level %d has no proof and is not on the list" % level)
    for level in sorted(expected - unproved):
        faults.append("level %d is proved now: take it off the list and keep its proof" % level)
    if run.returncode != (1 if unproved else 0):
        faults.append("the check exited with %d" % run.returncode)
    for fault in faults:
        print("FAIL: %s" % fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
