#!/usr/bin/env python3
"""Plays the real game on a virtual desktop, X under a real window manager or Wayland under sway or
KWin, with the mouse and the keyboard as a player does, and checks what the player gets: which
window is in front, which has the keyboard, what the screen shows, and how the program ends. On
Wayland also at an output scale of 2: as large as at 1, and drawn at the device's pixels.

Usage: play_desktop.py --game BINARY --wm openbox|icewm|fluxbox|sway|kwin --out DIR
       [--fake-input CLIENT]
Prints one line per check; on a failed check it keeps a screenshot in DIR, named after the check.
Exit code 0 when every check held, 1 when one failed, 77 when the desktop tools are missing.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys

from xdesktop import SESSION_MARK, run_tier

FIELD_HEIGHT = 434
# Polls for the program to end, 20 s: on a busy machine a program may take seconds to close its
# connection to the desktop; only a hang uses them up.
EXIT_TRIES = 400

# The windows as the player tells them apart: by title, by being a dialog, by width.
NAMES = {
    "main": "the main window",
    "start": "the start screen",
    "help1": "the help on the play elements",
    "help2": "the help on buying",
    "roundend": "the round-end dialog",
    "box": "the message box",
    "about": "the about box",
}


def kind_of(window):
    title, width = window["title"], window["rect"][2]
    if title == "Quirlon 95":
        if not window["dialog"]:
            return "main"
        return {632: "start", 405: "roundend"}.get(width, "box")
    return {"über Quirlon...": "help1", "über Quirlon": "help2",
            "Info über Quirlon 95": "about"}.get(title)


# Where a window is moved aside, relative to the main window's client area, so that the main
# window's title bar, menu bar and field stay free to be clicked at CLICK_X; and a spot of the
# window's own button, in its client area, that then lies over the black field.
ASIDE = {
    "start": ((-420, 0), (528, 414, 14, 8)),
    "help1": ((-420, 0), (528, 414, 14, 8)),
    "help2": ((-420, 0), (528, 414, 14, 8)),
    "roundend": ((-5, 150), (10, 232, 30, 8)),
}
BOX_CORNER = (4, 4, 12, 6)
CLICK_X = 500
OK_BUTTON = (575, 427)
# A button face is light; the field beneath it black.
SEEN_BRIGHTNESS = 0.25
# Further tries for a desktop that is slow to get where it settles.
SLOW_TRIES = 20
PROBE_TRIES = 3
# The field's top-left, in logical pixels: the header's cut corner, its shading and its bottom
# edge over the black field, with no text in it.
CORNER = (0, 0, 32, 48)
# Right of this column the header's bottom edge runs straight, past the cut of its lower corner.
STRAIGHT_FROM = 12
# A picture drawn at the device's pixels has detail within a logical pixel, so that at least this
# share of the corner's blocks of 2x2 device pixels are not of one colour; one drawn at a logical
# pixel each and enlarged has none.
DETAIL_SHARE = 0.25
# Brightness, 0 to 255: the field's black and the header's light face.
DARK, LIGHT = 16, 96
# A sharp edge falls to the black at once: the pixel before the first dark one keeps this much
# of the brightness of the one before it; an enlarged picture's blur halves it.
SHARP_KEEP = 0.75


def level_file(directory, lose):
    """A level file for every level: an empty field where the ball falls past the paddle at once,
    or one grey floor across the field that keeps the ball in play."""
    elements = [f"hinder{i}" for i in (1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13)] + \
        [f"dig{i}" for i in range(1, 12)]
    lines = []
    for level in range(1, 8):
        lines.append(f"[{level}]")
        for name in elements:
            floor = name == "hinder1" and not lose
            left = "" if name in ("dig10", "dig11") else ".left"
            # The game takes a level file with hinder1.left of 0 for a missing one.
            lines += [f"{name}{left}=1", f"{name}.top=300", f"{name}.width=632",
                      f"{name}.height=30", f"{name}.visible={int(floor)}"]
    os.makedirs(os.path.join(directory, "quirlon95"), exist_ok=True)
    with open(os.path.join(directory, "quirlon95", "328lvd.ini"), "w") as f:
        f.write("\n".join(lines) + "\n")


def brightness_rows(width, height, rgb):
    return [[sum(rgb[i:i + 3]) // 3 for i in range(row * width * 3, (row + 1) * width * 3, 3)]
            for row in range(height)]


def detail_share(rows):
    """The share of the blocks of 2x2 pixels, from the top-left, that are not of one colour."""
    blocks = [{rows[y][x], rows[y][x + 1], rows[y + 1][x], rows[y + 1][x + 1]}
              for y in range(0, len(rows) - 1, 2) for x in range(0, len(rows[0]) - 1, 2)]
    return sum(len(colours) > 1 for colours in blocks) / max(len(blocks), 1)


def blurred_columns(rows, first):
    """The columns from `first` on whose fall from the light face to the black below takes more
    than one pixel."""
    blurred = []
    for x in range(first, len(rows[0])):
        column = [row[x] for row in rows]
        light = next((y for y, value in enumerate(column) if value > LIGHT), None)
        dark = next((y for y in range(light or 0, len(column)) if column[y] < DARK), None)
        if light is None or dark is None or dark < light + 2 or \
                column[dark - 1] < SHARP_KEEP * column[dark - 2]:
            blurred.append(x)
    return blurred


class Tier:
    def __init__(self, desktop, wm, game, out, scratch, every_shot):
        self.desktop, self.wm, self.game, self.out, self.scratch = desktop, wm, game, out, scratch
        self.every_shot = every_shot
        self.checks = 0
        self.failed = []
        self.process = None
        self.kinds = {}
        # The main window's size as the compositor reports it, by the output's scale.
        self.scale, self.main_sizes = 1, {}
        self.log_path = os.path.join(scratch, "game.log")

    # Checks.

    def check(self, name, ok, detail=""):
        print(f"{'ok  ' if ok else 'FAIL'} {self.wm}: {name}" + ("" if ok else f" ({detail})"),
              flush=True)
        self.checks += 1
        if not ok:
            self.failed.append(name)
        if not ok or self.every_shot:
            os.makedirs(self.out, exist_ok=True)
            self.desktop.screenshot(os.path.join(
                self.out, f"{self.checks:03d}-" + re.sub(r"\W+", "-", name).strip("-") + ".png"))
        return ok

    # The game and its windows.

    def start(self, data_home, binary=None):
        env = dict(self.desktop.game_env, XDG_DATA_HOME=data_home,
                   XDG_DATA_DIRS=os.path.join(self.scratch, "nothing"))
        log = open(self.log_path, "a")
        log.write(SESSION_MARK)
        log.flush()
        # The X server hands a new client the ids of an old one.
        self.kinds = {}
        self.process = subprocess.Popen([binary or self.game], env=env, stdout=log, stderr=log)

    def end(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def kind(self, window):
        if window not in self.kinds:
            self.kinds[window] = kind_of(self.desktop.describe(window))
        return self.kinds[window]

    def windows(self):
        """The game's shown windows by kind, their stacking order bottom first, and the active
        window."""
        found, order = {}, []
        stacking, active = self.desktop.stacking_and_active()
        for window in stacking:
            kind = self.kind(window)
            if kind:
                found[kind] = window
                order.append(window)
        return found, tuple(order), active

    def observe(self):
        return self.windows() + (self.desktop.focus(),)

    def appear(self, kind):
        return self.desktop.wait_for(lambda: self.windows()[0].get(kind))

    def rect(self, window):
        return self.desktop.describe(window)["rect"]

    # What must hold for a window in front of the main window.

    def in_front(self, kind, window, situation, probe=None, clicked=False):
        def state():
            found, order, active, focus = self.observe()
            main = found.get("main")
            front = window in order and (main is None or order.index(window) > order.index(main))
            return front, active == window == focus, order, active, focus

        def holds():
            answer = state()
            return answer if (answer[0] or not raised) and answer[1] else None

        def seen():
            brightness = self.desktop.mean_brightness(probe)
            return brightness if brightness > SEEN_BRIGHTNESS else None

        self.desktop.settled(self.observe)
        # Once settled it holds; a slow desktop may still be on its way, so it gets a few more
        # tries before the checks.
        # A desktop that raises the window the player clicked, and no other on the program's
        # request, can at most hand the keyboard back.
        raised = not clicked or self.desktop.raises_on_request
        front, keyboard, order, active, focus = \
            self.desktop.wait_for(holds, SLOW_TRIES) or state()
        name = NAMES[kind]
        if raised:
            self.check(f"{situation}: {name} stays in front", front,
                       f"stacking bottom first: {[self.kind(w) for w in order]}")
        self.check(f"{situation}: {name} keeps the keyboard", keyboard,
                   f"active {active}, focus {focus}, {name} {window}")
        if probe and raised:
            brightness = self.desktop.wait_for(seen, PROBE_TRIES) or \
                self.desktop.mean_brightness(probe)
            self.check(f"{situation}: {name} is seen", brightness > SEEN_BRIGHTNESS,
                       f"its button's spot has brightness {brightness:.2f}")

    def main_points(self):
        """Screen points on the main window: its field, its menu bar and its title bar."""
        main = self.windows()[0]["main"]
        x, y, w, h = self.rect(main)
        menu = h - FIELD_HEIGHT
        title = self.desktop.title_bar_height(main)
        return main, {
            "field": (x + CLICK_X, y + menu + 200),
            "menu bar": (x + CLICK_X, y + menu // 2),
            "title bar": (x + CLICK_X, y - max(title // 2, 1)),
        }

    def hold_front(self, kind):
        """The window stays in front and keeps the keyboard whatever the player clicks on the
        main window."""
        window = self.windows()[0][kind]
        main, points = self.main_points()
        mx, my, mw, mh = self.rect(main)
        if kind in ASIDE:
            (dx, dy), (px, py, pw, ph) = ASIDE[kind]
            before = self.rect(window)
            self.desktop.move_window(window, mx + dx, my + dy)
            # The window manager moves it in its own time.
            self.desktop.wait_for(lambda: self.rect(window) != before)
            self.desktop.settled(lambda: self.rect(window))
        else:
            # A box stays where it came up; its light face in its corner, over the field.
            px, py, pw, ph = BOX_CORNER
        wx, wy, _, _ = self.rect(window)
        probe = (wx + px, wy + py, pw, ph)
        if not (mx <= probe[0] and probe[0] + pw <= mx + mw and
                my + mh - FIELD_HEIGHT <= probe[1] and probe[1] + ph <= my + mh):
            probe = None
        self.in_front(kind, window, f"{NAMES[kind]} shown", probe)
        # The window manager learns it from the window itself: it belongs to the main window,
        # directly or through the window it came from.
        belongs, detail = self.desktop.belongs_to(window, main, self.log_path)
        self.check(f"{NAMES[kind]} belongs to the main window", belongs, detail)
        for target, (x, y) in points.items():
            self.desktop.click(x, y)
            self.in_front(kind, window, f"click on the main window's {target}", probe, True)

    def leave(self, kind, way):
        """Leaves the window by a key, its OK button or its close box; it must go."""
        window = self.windows()[0].get(kind)
        if not window:
            return self.check(f"{NAMES[kind]} is there to be left by {way}", False, "not shown")
        if way == "OK":
            # Where the button is once the desktop has done placing the window: a window just shown
            # may still move by its title bar.
            x, y, _, _ = self.desktop.settled(lambda: self.rect(window))
            self.desktop.click(x + OK_BUTTON[0], y + OK_BUTTON[1])
        elif way == "close box":
            self.desktop.close_window(window)
        else:
            self.desktop.key(way)
        gone = lambda: self.desktop.wait_for(lambda: window not in self.desktop.stacking())
        if self.check(f"{way} leaves {NAMES[kind]}", gone() is not None, "it is still shown"):
            return True
        # Brought back to the keyboard by the desktop, so that the rest can still be measured.
        if way in ("Return", "space"):
            self.desktop.activate(window)
            self.desktop.key(way)
            return gone() is not None
        return False

    def main_active(self, after):
        main = self.windows()[0].get("main")
        active = self.desktop.wait_for(lambda: self.desktop.active() == main)
        self.check(f"after {after} the main window is active", active is not None,
                   f"active {self.desktop.active()}, main {main}")

    def expect(self, kind, situation):
        window = self.appear(kind)
        if self.check(f"{situation}: {NAMES[kind]} shows", window is not None, "it never came"):
            self.in_front(kind, window, situation)
        return window

    def exits_with_zero(self, how):
        code = self.desktop.wait_for(lambda: self.process.poll() is not None and
                                     (self.process.returncode,), EXIT_TRIES)
        self.check(f"{how} ends the program with exit code 0", code == (0,),
                   "still running" if code is None else f"exit code {code[0]}")

    def loads_no_graphics_driver(self):
        # Every frame is drawn in software; a graphics driver would only double the memory and
        # hold up the first window while it loads.
        with open(f"/proc/{self.process.pid}/maps") as maps:
            drivers = sorted({os.path.basename(line.split()[-1]) for line in maps
                              if re.search(r"/dri/|EGL_mesa|libLLVM|libgallium", line)})
        self.check("the game loads no graphics driver", not drivers, ", ".join(drivers))

    def field_picture(self):
        main = self.windows()[0]["main"]
        x, y, w, h = self.rect(main)
        menu = h - FIELD_HEIGHT
        return self.desktop.picture((x, y + menu, w, FIELD_HEIGHT))

    # The sessions.

    def start_windows(self, way, clicks, where=""):
        situation = f"start sequence by {way or 'keys'}{where}"
        for kind, key in (("start", "Return"), ("help1", "space"), ("help2", "Return")):
            if not self.expect(kind, situation):
                return False
            if clicks:
                self.hold_front(kind)
            if not self.leave(kind, way or key):
                return False
        self.main_active(f"the {situation}")
        self.main_sizes.setdefault(self.scale, self.rect(self.windows()[0]["main"])[2:])
        return True

    def keys_clicks_and_pause(self, keep):
        self.start(keep)
        if not self.start_windows(None, clicks=True):
            return
        self.loads_no_graphics_driver()
        _, points = self.main_points()
        self.desktop.click(*points["field"])
        before = self.field_picture()
        self.check("a click on the start prompt starts play",
                   self.desktop.wait_for(lambda: self.field_picture() != before) is not None,
                   "the field stands still")
        self.desktop.key("ctrl+p")
        paused = self.desktop.settled(self.field_picture)
        self.check("Pause stops the field", self.field_picture() == paused, "the field moves")
        self.desktop.key("ctrl+p")
        self.check("Pause again lets play go on",
                   self.desktop.wait_for(lambda: self.field_picture() != paused) is not None,
                   "the field stands still")
        self.desktop.key("ctrl+e")
        self.exits_with_zero("Ctrl+E")

    def ok_and_about(self, keep):
        self.start(keep)
        if not self.start_windows("OK", clicks=False):
            return
        self.desktop.key("ctrl+h")
        if not self.expect("about", "Info"):
            return
        main, _ = self.main_points()
        x, y, _, h = self.rect(main)
        # The header strip, where a click starts nothing; the about box may go behind.
        self.desktop.click(x + 420, y + h - FIELD_HEIGHT + 20)
        self.desktop.settled(self.observe)
        self.desktop.key("ctrl+h")
        self.expect("about", "Info after a click on the field")
        self.leave("about", "Return")
        self.main_active("the about box")
        self.desktop.key("ctrl+e")
        self.exits_with_zero("Ctrl+E after the about box")

    def close_box_and_lost_balls(self, lose):
        self.start(lose)
        if not self.start_windows("close box", clicks=False):
            return
        _, points = self.main_points()
        self.desktop.click(*points["field"])
        if not self.expect("roundend", "a lost ball"):
            return
        self.hold_front("roundend")
        if not self.leave("roundend", "Return"):
            return
        self.main_active("a lost ball")
        # The last ball: the dialog's button brings the box on the new game over the dialog,
        # and both go when the box is answered.
        self.desktop.click(*points["field"])
        dialog = self.expect("roundend", "the last ball lost")
        if not dialog:
            return
        self.hold_front("roundend")
        for key, situation in (("space", "Space on the last ball's dialog"),
                               ("ctrl+b", "Ctrl+B with too few points")):
            self.desktop.key(key)
            if not self.expect("box", situation):
                return
            self.hold_front("box")
            self.leave("box", "Return")
            self.check(f"after the box of {situation} the round-end dialog has gone",
                       self.desktop.wait_for(lambda: dialog not in self.desktop.stacking())
                       is not None, "it is still shown")
            self.main_active(f"the box of {situation}")
        self.desktop.close_window(self.main_points()[0])
        self.exits_with_zero("the main window's close box")

    def keys_without_activation(self, keep):
        """A compositor that activates only what the player clicks leaves the keyboard with the
        main window after a click there; the key still answers the window in front: each window
        of the start sequence, and a message box."""
        self.desktop.refuse_activation(True)
        try:
            self.start(keep)
            for kind, key in (("start", "Return"), ("help1", "space"), ("help2", "Return")):
                if not self.click_under(kind, "a compositor that refuses activation"):
                    return
                if not self.leave(kind, key):
                    return
            self.main_active("the start sequence where activation is refused")
            self.desktop.key("ctrl+b")
            if self.click_under("box", "Ctrl+B with too few points where activation is refused"):
                self.leave("box", "Return")
            self.desktop.key("ctrl+e")
            self.exits_with_zero("Ctrl+E where activation is refused")
        finally:
            self.desktop.refuse_activation(False)

    def click_under(self, kind, situation):
        """Waits for the window, moves it off the field where it can, and clicks the field."""
        window = self.expect(kind, situation)
        if not window:
            return None
        main, points = self.main_points()
        if kind in ASIDE:
            x, y, _, _ = self.rect(main)
            (dx, dy), _ = ASIDE[kind]
            self.desktop.move_window(window, x + dx, y + dy)
            self.desktop.wait_for(lambda: self.rect(window)[:2] == (x + dx, y + dy))
        self.desktop.click(*points["field"])
        return window

    def crisp_at_scale_two(self, keep):
        """At an output scale of 2 the main window is as large as at 1, in logical pixels, and its
        field is drawn at the device's pixels: the top-left has detail within a logical pixel, and
        the header's edge falls to the black field within one device pixel."""
        unscaled = self.desktop
        with unscaled.scaled(2) as self.desktop:
            self.scale = 2
            try:
                self.start(keep)
                if not self.start_windows(None, clicks=False, where=" at output scale 2"):
                    return
                self.check("at output scale 2 the main window is as large as at 1",
                           self.main_sizes.get(2) == self.main_sizes.get(1),
                           f"by scale: {self.main_sizes}")
                x, y, _, h = self.rect(self.windows()[0]["main"])
                cx, cy, cw, ch = CORNER
                corner = (x + cx, y + h - FIELD_HEIGHT + cy, cw, ch)
                width, height, rgb = self.desktop.settled(
                    lambda: self.desktop.device_pixels(corner))
                if not self.check("the screen is read in device pixels, twice the logical ones",
                                  (width, height) == (2 * cw, 2 * ch), f"{width}x{height}"):
                    return
                rows = brightness_rows(width, height, rgb)
                share = detail_share(rows)
                self.check("the field's top-left is drawn at the device's pixels",
                           share >= DETAIL_SHARE,
                           f"{share:.0%} of its 2x2 blocks have detail")
                blurred = blurred_columns(rows, 2 * STRAIGHT_FROM)
                self.check("the header's edge falls to the black field within one device pixel",
                           not blurred, f"{len(blurred)} device columns blurred, from "
                           f"{blurred[:1]}")
            finally:
                self.end()
                self.desktop, self.scale = unscaled, 1

    def missing_level_file(self):
        # Beside a binary of its own, where no level file lies, and with none in the data dirs.
        lonely = os.path.join(self.scratch, "lonely")
        os.makedirs(lonely, exist_ok=True)
        binary = os.path.join(lonely, "quirlon95")
        try:
            os.link(self.game, binary)
        except OSError:
            shutil.copy(self.game, binary)
        self.start(os.path.join(self.scratch, "nothing"), binary)
        if self.expect("box", "no level file"):
            self.leave("box", "Return")
            self.exits_with_zero("the missing level file's box")

    def run(self):
        keep, lose = (os.path.join(self.scratch, name) for name in ("keep", "lose"))
        level_file(keep, lose=False)
        level_file(lose, lose=True)
        sessions = [lambda: self.keys_clicks_and_pause(keep), lambda: self.ok_and_about(keep),
                    lambda: self.close_box_and_lost_balls(lose), self.missing_level_file]
        if self.desktop.can_refuse_activation:
            sessions.append(lambda: self.keys_without_activation(keep))
        if self.desktop.can_scale:
            sessions.append(lambda: self.crisp_at_scale_two(keep))
        for session in sessions:
            try:
                session()
            finally:
                self.end()
        return not self.failed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--game", required=True)
    parser.add_argument("--wm", required=True,
                        choices=["openbox", "icewm", "fluxbox", "sway", "kwin"])
    parser.add_argument("--fake-input", help="the client that plays KWin (quirlon-fakeinput)")
    parser.add_argument("--out", required=True)
    parser.add_argument("--every-shot", action="store_true",
                        help="keep a screenshot of every check, not only of the failed ones")
    args = parser.parse_args()
    game = os.path.abspath(args.game)
    return run_tier(args.wm, args.out, "game", lambda desktop, scratch: Tier(
        desktop, args.wm, game, args.out, scratch, args.every_shot), args.fake_input)


if __name__ == "__main__":
    sys.exit(main())
