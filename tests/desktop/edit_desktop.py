#!/usr/bin/env python3
"""The level editor on a virtual desktop (X or Wayland, as in play_desktop.py), tried as a new
user would: it opens a copy of the shipped level file, and on the keyboard alone the user walks
with Tab to
hinder5, moves it three pixels right with the arrow key and saves with Ctrl+S. Exactly that one
value changes in the file and every other byte stays. Ctrl+Z undoes it unsaved; the question on
it (Ctrl+O) and the file dialog of "Speichern unter" come in front of the editor, belong to it and
have the keyboard, and Escape leaves each with the editor and the change as they were; the test
play (F5) takes the keyboard and gives it back to the editor once ended by Ctrl+E or its close
box. Ctrl+S then gives the original bytes, and Ctrl+Q ends the editor without a question.

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

from xdesktop import SESSION_MARK, WAYLAND_COMPOSITORS, run_tier

TITLE = "Quirlon 95 Leveleditor"
TEST_PLAY = "Quirlon 95 – Testspiel"
# The windows the editor asks or offers in, by the key that opens them and their title: with a
# change unsaved, opening a file first asks about it; saving under a name offers a file dialog.
DIALOGS = (("ctrl+o", "the question on the unsaved change", TITLE),
           ("ctrl+shift+s", "the file dialog to save under a name", "Speichern unter"))
# The test play ends by the game's own key or by its close box.
TEST_PLAY_ENDS = ("ctrl+e", "close box")
# Bounds on polling the file and the program; only a hang uses them up (a busy machine can take
# seconds to end the editor, whose proofs run on threads of their own).
FILE_TRIES = 100
EXIT_TRIES = 400
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
        self.log_path = os.path.join(scratch, "editor.log")

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

        # Undone but not saved: the windows the editor opens on it must leave it so.
        self.desktop.key("ctrl+z")
        self.check("Ctrl+Z marks the title again",
                   self.desktop.wait_for(lambda: self.title(window).endswith("*")) is not None,
                   self.title(window))
        for key, name, title in DIALOGS:
            self.dialog(window, key, name, title, path, expected)
        for way in TEST_PLAY_ENDS:
            self.test_play(window, way)
        self.desktop.key("ctrl+s")
        self.check("Ctrl+Z and Ctrl+S give back the shipped bytes",
                   self.file_becomes(path, shipped), "the file differs from the shipped one")

        self.quit()

    def other_window(self, window, wanted):
        """A window of the desktop other than the editor's whose title `wanted` accepts."""
        for other in self.desktop.stacking():
            if other != window and wanted(self.title(other)):
                return other
        return None

    def keyboard(self, window):
        return self.desktop.wait_for(
            lambda: self.desktop.active() == window == self.desktop.focus()) is not None

    def dialog(self, window, key, name, title, path, saved):
        """A window the editor asks or offers in: in front of the editor, its own, with the
        keyboard; Escape leaves it, and the editor as it was."""
        self.desktop.key(key)
        shown = self.desktop.wait_for(lambda: self.other_window(window, lambda t: t == title))
        if not self.check(f"{key} shows {name}", shown is not None, "it never came"):
            return
        order = self.desktop.settled(self.desktop.stacking)
        self.check(f"{name} is in front of the editor",
                   shown in order and window in order and order.index(shown) > order.index(window),
                   f"stacking bottom first: {order}, editor {window}, {name} {shown}")
        belongs, detail = self.desktop.belongs_to(shown, window, self.log_path)
        self.check(f"{name} belongs to the editor's window", belongs, detail)
        self.check(f"{name} has the keyboard", self.keyboard(shown),
                   f"active {self.desktop.active()}, focus {self.desktop.focus()}, it {shown}")
        self.desktop.key("Escape")
        self.check(f"Escape leaves {name}",
                   self.desktop.wait_for(lambda: shown not in self.desktop.stacking()) is not None,
                   "it is still shown")
        with open(path, "rb") as f:
            kept = f.read() == saved
        self.check(f"after {name} the editor runs on, the change unsaved and the file as it was",
                   self.process.poll() is None and self.title(window).endswith("*") and kept,
                   f"running {self.process.poll() is None}, title {self.title(window)}, "
                   f"file kept {kept}")
        self.check(f"after {name} the editor has the keyboard", self.keyboard(window),
                   f"active {self.desktop.active()}, editor {window}")

    def test_play(self, window, way):
        """The level played from the editor: its window takes the keyboard, and once it is
        closed the editor has it back."""
        self.desktop.key("F5")
        game = self.desktop.wait_for(
            lambda: self.other_window(window, lambda t: t.startswith(TEST_PLAY)))
        if not self.check(f"F5 shows the test play (to be ended by {way})", game is not None,
                          "it never came"):
            return
        self.check("the test play has the keyboard", self.keyboard(game),
                   f"active {self.desktop.active()}, focus {self.desktop.focus()}, it {game}")
        # A busy desktop may still be settling the new window when it has handed it the keyboard.
        self.desktop.settled(lambda: (self.desktop.active(), self.desktop.focus(),
                                      tuple(self.desktop.stacking())))
        if way == "close box":
            self.desktop.close_window(game)
        else:
            self.desktop.key(way)
        self.check(f"{way} ends the test play",
                   self.desktop.wait_for(lambda: game not in self.desktop.stacking()) is not None,
                   "it is still shown")
        self.check(f"after the test play ended by {way} the editor has the keyboard",
                   self.keyboard(window), f"active {self.desktop.active()}, editor {window}")

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
        log = open(self.log_path, "a")
        log.write(SESSION_MARK)
        log.flush()
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
        # The window shows before the file is read and laid out: the field is looked for once the
        # file's name is in the title and the window has stopped changing.
        self.desktop.wait_for(lambda: self.title(window).endswith(os.path.basename(path)))
        self.desktop.wait_for(lambda: self.field_and_list(window))
        found = self.desktop.settled(lambda: self.field_and_list(window))
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
