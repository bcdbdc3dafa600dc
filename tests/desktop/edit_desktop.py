#!/usr/bin/env python3
"""The level editor on a virtual desktop (X or Wayland, as in play_desktop.py), tried as a new
user would: it opens a copy of the shipped level file, and on the keyboard alone the user walks
with Tab to
hinder5, moves it three pixels right with the arrow key and saves with Ctrl+S. Exactly that one
value changes in the file and every other byte stays; Ctrl+Z and Ctrl+S again give the original
bytes, and Ctrl+Q then ends the editor without a question.

Then, on a file of two named levels of its own: a click where a hidden bar lies over a shown one
takes the shown one, a second click the hidden one beneath, each moved by an arrow key; and the
first level dragged in the list below the second takes its name along, and the numbers follow.

Usage: edit_desktop.py --editor BINARY --levels FILE --wm openbox|icewm|fluxbox|sway|kwin --out DIR
       [--fake-input CLIENT]
Prints one line per check; a failed check keeps a screenshot in DIR. Exit code 0 when every check
held, 1 when one failed, 77 when the desktop tools are missing.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys

from xdesktop import WAYLAND_COMPOSITORS, run_tier

TITLE = "Quirlon 95 Leveleditor"
# Bounds on polling the file and the program; only a hang uses them up.
FILE_TRIES = 100
EXIT_TRIES = 100
# The field: a black row at least this long lies under its header strip, this many rows high.
FIELD_RUN = 400
FIELD_HEADER = 40
# Two named levels; in the first the hidden hinder5 lies over the shown hinder1 at PILE.
NAMED_LEVELS = ("; Level 1 - Erster\n[1]\n"
                "hinder1.left=300\nhinder1.top=250\nhinder1.width=201\nhinder1.height=30\n"
                "hinder5.left=320\nhinder5.top=245\nhinder5.width=100\nhinder5.height=30\n"
                "hinder5.visible=0\ndig11=500\ndig11.top=100\ndig11.width=49\ndig11.height=60\n"
                "\n; Level 2 - Zweiter\n[2]\nhinder1.left=80\n")
PILE = (350, 262)
# Rows of the level list below its top: the first item, and below the second one.
ITEM_FIRST = 12
ITEM_BELOW_SECOND = 90


def changed_lines(before, after):
    """The lines that differ, as (number, before, after), when both have as many lines."""
    old, new = before.splitlines(keepends=True), after.splitlines(keepends=True)
    if len(old) != len(new):
        return None
    return [(i, a, b) for i, (a, b) in enumerate(zip(old, new)) if a != b]


def moved_right(text, pixels):
    """The level file with hinder5.left of level 1 that many pixels more."""
    at = text.index(b"hinder5.left=", text.index(b"[1]")) + len(b"hinder5.left=")
    end = at
    while text[end:end + 1] not in (b"\r", b"\n", b""):
        end += 1
    return text[:at] + str(int(text[at:end]) + pixels).encode() + text[end:]


def section_of(text, line_number):
    """The name of the section a line lies in."""
    name = None
    for line in text.splitlines()[:line_number]:
        found = re.match(r"\s*\[([^\]]*)\]", line)
        if found:
            name = found.group(1)
    return name


class EditorTier:
    def __init__(self, desktop, wm, editor, out, scratch, levels):
        self.desktop, self.wm, self.editor, self.out, self.scratch, self.levels = \
            desktop, wm, editor, out, scratch, levels
        self.checks, self.failed = 0, []
        self.process = None

    def check(self, name, ok, detail=""):
        print(f"{'ok  ' if ok else 'FAIL'} {self.wm}: {name}" + ("" if ok else f" ({detail})"),
              flush=True)
        self.checks += 1
        if not ok:
            self.failed.append(name)
            os.makedirs(self.out, exist_ok=True)
            self.desktop.screenshot(os.path.join(
                self.out, f"{self.checks:03d}-" + re.sub(r"\W+", "-", name).strip("-") + ".png"))
        return ok

    def title(self, window):
        return self.desktop.describe(window)["title"]

    def editor_window(self):
        for window in self.desktop.stacking():
            if self.title(window).startswith(TITLE):
                return window
        return None

    def file_becomes(self, path, wanted):
        def read():
            with open(path, "rb") as f:
                return f.read()
        return self.desktop.wait_for(lambda: read() == wanted, FILE_TRIES) is not None

    def run(self):
        levels = self.levels
        with open(levels, "rb") as f:
            shipped = f.read()
        folder = os.path.join(self.scratch, "levels")
        os.makedirs(folder)
        path = os.path.join(folder, "328lvd.ini")
        shutil.copy(levels, path)
        self.start(path)
        try:
            self.edit(path, shipped)
            # The field is found and the list dragged through X; a Wayland desktop has no X server.
            if not self.failed and self.wm not in WAYLAND_COMPOSITORS:
                self.named(os.path.join(folder, "named.ini"))
        finally:
            if self.process.poll() is None:
                self.process.kill()
                self.process.wait()
        return not self.failed

    def edit(self, path, shipped):
        window = self.desktop.wait_for(self.editor_window)
        if not self.check("the editor's window shows", window is not None, "it never came"):
            return
        # The window shows before the file is read, so its name comes into the title a moment later.
        wanted = f"{TITLE} – 328lvd.ini"
        self.check("the window is titled with the editor and the file",
                   self.desktop.wait_for(lambda: self.title(window) == wanted), self.title(window))
        active = self.desktop.wait_for(lambda: self.desktop.active() == window)
        if not self.check("the editor's window has the keyboard", active is not None,
                          f"active {self.desktop.active()}, editor {window}"):
            return

        for key in ["Tab"] * 5 + ["Right"] * 3:
            self.desktop.key(key)
        modified = self.desktop.wait_for(lambda: self.title(window).endswith("*"))
        self.check("the title marks the unsaved change", modified is not None, self.title(window))
        self.desktop.key("ctrl+s")
        expected = moved_right(shipped, 3)
        saved = self.file_becomes(path, expected)
        with open(path, "rb") as f:
            after = f.read()
        lines = changed_lines(shipped, after)
        detail = f"changed lines: {lines}" if lines is not None else "the lines were not kept"
        self.check("Ctrl+S saves exactly hinder5.left of level 1, 3 more than shipped",
                   saved and lines is not None and len(lines) == 1 and
                   section_of(shipped.decode(), lines[0][0]) == "1", detail)
        self.check("the title drops the mark once saved",
                   self.desktop.wait_for(lambda: not self.title(window).endswith("*")) is not None,
                   self.title(window))

        self.desktop.key("ctrl+z")
        self.desktop.key("ctrl+s")
        self.check("Ctrl+Z and Ctrl+S give back the shipped bytes", self.file_becomes(path, shipped),
                   "the file differs from the shipped one")

        self.quit()

    def quit(self):
        self.desktop.key("ctrl+q")
        code = self.desktop.wait_for(lambda: self.process.poll() is not None and
                                     (self.process.returncode,), EXIT_TRIES)
        self.check("Ctrl+Q ends the editor with nothing left unsaved", code == (0,),
                   "still running" if code is None else f"exit code {code[0]}")

    def start(self, path):
        env = dict(self.desktop.game_env,
                   XDG_DATA_HOME=os.path.join(self.scratch, "data"),
                   XDG_DATA_DIRS=os.path.join(self.scratch, "nothing"))
        log = open(os.path.join(self.scratch, "editor.log"), "a")
        self.process = subprocess.Popen([self.editor, path], env=env, stdout=log, stderr=log)

    def field_and_list(self, window):
        """The field's top-left corner on the screen, found as the left end of the long black rows
        under its header strip, and the middle of the level list's column left of it."""
        x, y, w, h = self.desktop.describe(window)["rect"]
        raw = subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                              "-depth", "8", "rgb:-"], env=self.desktop.env,
                             capture_output=True).stdout
        if len(raw) != w * h * 3:
            return None
        starts = {}
        for row in range(h):
            line = raw[row * w * 3:(row + 1) * w * 3]
            run = line.find(b"\0" * 3 * FIELD_RUN)
            if run >= 0 and run % 3 == 0:
                starts.setdefault(run // 3, []).append(row)
        if not starts:
            return None
        left = max(starts, key=lambda start: len(starts[start]))
        top = min(starts[left]) - FIELD_HEADER
        return (x + left, y + top), (x + left // 2, y + top)

    def named(self, path):
        with open(path, "w") as f:
            f.write(NAMED_LEVELS)
        self.start(path)
        window = self.desktop.wait_for(self.editor_window)
        if not self.check("the editor opens a file of its own", window is not None,
                          "it never came"):
            return
        self.desktop.wait_for(lambda: self.desktop.active() == window)
        found = self.desktop.wait_for(lambda: self.field_and_list(window))
        if not self.check("the field is found on the screen", found is not None, "no black field"):
            return
        (fx, fy), (lx, ly) = found
        pile = (fx + PILE[0], fy + PILE[1])
        expected = NAMED_LEVELS
        for step, key in [("a click over a hidden bar takes the shown one", "hinder1.left=300"),
                          ("a second click takes the hidden one beneath", "hinder5.left=320")]:
            self.desktop.click(*pile)
            self.desktop.key("Right")
            self.desktop.key("ctrl+s")
            name, value = key.split("=")
            expected = expected.replace(key, f"{name}={int(value) + 1}", 1)
            self.check(step, self.file_becomes(path, expected.encode()),
                       "another value changed, or none")

        self.desktop.x("xdotool", "mousemove", str(lx), str(ly + ITEM_FIRST), "mousedown", "1")
        for dy in range(ITEM_FIRST, ITEM_BELOW_SECOND, 4):
            self.desktop.x("xdotool", "mousemove", str(lx), str(ly + dy))
        self.desktop.x("xdotool", "mouseup", "1")
        self.desktop.key("ctrl+s")
        # The levels change places with their names; the blank line between them stays.
        first, second = expected.split("\n\n; Level 2")
        swapped = (("; Level 2" + second).replace("; Level 2 - Zweiter\n[2]",
                                                  "; Level 1 - Zweiter\n[1]") + "\n" +
                   (first + "\n").replace("; Level 1 - Erster\n[1]", "; Level 2 - Erster\n[2]"))
        self.check("a level dragged below the next takes its name along",
                   self.file_becomes(path, swapped.encode()), "the file is not the two swapped")
        self.quit()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--editor", required=True)
    parser.add_argument("--levels", required=True)
    parser.add_argument("--wm", required=True,
                        choices=["openbox", "icewm", "fluxbox", "sway", "kwin"])
    parser.add_argument("--fake-input", help="the client that plays KWin (quirlon-fakeinput)")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    editor = os.path.abspath(args.editor)
    return run_tier(args.wm, args.out, "editor", lambda desktop, scratch: EditorTier(
        desktop, args.wm, editor, args.out, scratch, args.levels), args.fake_input)


if __name__ == "__main__":
    sys.exit(main())
