#!/usr/bin/env python3
"""Writes levels/328lvd.ini from the level layouts below.

Every section lists all 115 keys, hidden elements included, so a level reads the same whatever the
reader's defaults. Coordinates are pixels of the 632 x 434 field; the header strip ends at y 38,
the paddle's band starts at y 404. The ball starts at the top left corner moving right.
"""
import pathlib

BARS = ["hinder1", "hinder2", "hinder3", "hinder4", "hinder5", "hinder6",
        "hinder8", "hinder9", "hinder10", "hinder11", "hinder12", "hinder13"]
PENNIES = [f"dig{n}" for n in range(1, 11)]
HAND = "dig11"

# Each level: its idea, and the elements it shows as name: (left, top, width, height).
# Flat bars (hinder1/2 grey, 5/6 yellow, 8/11 green) lie wide; upright ones stand tall.
LEVELS = [
    ("Open field: pennies in the air and the hand high on the right; learn to keep the ball up.",
     {"hinder1": (250, 300, 201, 30),
      "dig1": (150, 200, 39, 40), "dig2": (300, 150, 39, 40), "dig3": (450, 200, 39, 40),
      "dig11": (560, 120, 49, 60)}),
    ("A grey roof over the middle: the ball must go round it to the hand behind the right wall.",
     {"hinder1": (160, 220, 201, 30), "hinder3": (470, 160, 30, 200),
      "dig1": (200, 160, 39, 40), "dig2": (260, 160, 39, 40), "dig3": (320, 290, 39, 40),
      "dig4": (100, 290, 39, 40), "dig11": (540, 200, 49, 60)}),
    ("Yellow shields wear away: two flat yellow bars guard the hand until the ball breaks through.",
     {"hinder1": (60, 330, 201, 30), "hinder5": (380, 150, 91, 30), "hinder6": (380, 290, 91, 30),
      "hinder9": (480, 150, 30, 170),
      "dig1": (120, 150, 39, 40), "dig2": (200, 150, 39, 40), "dig3": (280, 150, 39, 40),
      "dig4": (300, 250, 39, 40), "dig11": (400, 200, 49, 60)}),
    ("Green bars send the ball back: a green wall on the right turns it round to the hand on the left.",
     {"hinder1": (220, 330, 201, 30), "hinder12": (590, 100, 30, 250),
      "hinder8": (200, 120, 211, 30),
      "dig1": (450, 200, 39, 40), "dig2": (500, 260, 39, 40), "dig3": (100, 200, 39, 40),
      "dig4": (250, 200, 39, 40), "dig5": (350, 260, 39, 40), "dig11": (40, 250, 49, 60)}),
    ("A grey cage: the hand sits in a box open at the top; the red bar can steer the ball in.",
     {"hinder1": (100, 350, 201, 30), "hinder2": (300, 110, 201, 30),
      "hinder3": (330, 200, 30, 150), "hinder4": (500, 200, 30, 150),
      "hinder11": (380, 350, 120, 30),
      "dig1": (150, 150, 39, 40), "dig2": (220, 150, 39, 40), "dig3": (380, 60, 39, 40),
      "dig4": (440, 60, 39, 40), "dig5": (560, 250, 39, 40), "dig6": (100, 250, 39, 40),
      "dig11": (400, 260, 49, 60)}),
    ("Yellow uprights wall the hand in; wear one down from the side or drop the ball in from above.",
     {"hinder2": (150, 110, 201, 30), "hinder9": (400, 150, 30, 230),
      "hinder10": (560, 150, 30, 230), "hinder6": (430, 150, 130, 30),
      "hinder13": (250, 200, 30, 150),
      "dig1": (100, 160, 39, 40), "dig2": (170, 200, 39, 40), "dig3": (300, 200, 39, 40),
      "dig4": (300, 260, 39, 40), "dig5": (200, 50, 39, 40), "dig6": (440, 60, 39, 40),
      "dig7": (520, 60, 39, 40), "dig11": (470, 260, 49, 60)}),
    ("Everything at once: grey channels, a green turn, yellow doors and the hand deep in a corner.",
     {"hinder1": (80, 170, 201, 30), "hinder2": (330, 300, 201, 30),
      "hinder3": (300, 60, 30, 200), "hinder4": (560, 200, 30, 100),
      "hinder5": (440, 200, 100, 30), "hinder9": (420, 230, 30, 70),
      "hinder8": (120, 320, 150, 30), "hinder12": (20, 200, 30, 150),
      "dig1": (100, 100, 39, 40), "dig2": (180, 100, 39, 40), "dig3": (360, 100, 39, 40),
      "dig4": (440, 100, 39, 40), "dig5": (520, 100, 39, 40), "dig6": (150, 250, 39, 40),
      "dig7": (350, 230, 39, 40), "dig8": (60, 370, 39, 40), "dig11": (470, 235, 49, 60)}),
]


def keys(name, rect, shown):
    left_key = name if name in ("dig10", "dig11") else f"{name}.left"
    left, top, width, height = rect
    return [f"{left_key}={left}", f"{name}.top={top}", f"{name}.width={width}",
            f"{name}.height={height}", f"{name}.visible={1 if shown else 0}"]


def section(number, idea, shown):
    lines = [f"; Level {number}: {idea}", f"[{number}]"]
    for name in BARS + PENNIES + [HAND]:
        if name in shown:
            lines += keys(name, shown[name], True)
        else:
            size = (39, 40) if name.startswith("dig") else (30, 30)
            # The level file check reads hinder1.left of level 1, so a hidden bar keeps a place.
            lines += keys(name, (100, 100) + size, False)
    return "\n".join(lines)


def main():
    header = ["; Quirlon 95 levels. One section per level; five keys per element:",
              "; left, top, width, height and visible (0 hides). dig10 and dig11 give their",
              "; left as the bare key. The game only reads this file."]
    body = [section(n, idea, shown) for n, (idea, shown) in enumerate(LEVELS, 1)]
    out = pathlib.Path(__file__).resolve().parents[2] / "levels" / "328lvd.ini"
    out.write_text("\n".join(header) + "\n\n" + "\n\n".join(body) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
