#!/usr/bin/env python3
"""Installs the build to a temporary prefix and starts the installed game there, headless.

The game checks for its level file before any window shows: without it, it shows a message box
and waits for it to be answered; with it, it shows the start screen and waits for the player.
Qt's painting log names the widgets it paints, which tells the two apart without a display.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from installed_files import (BINARY, ICON_SIZES, LEVEL_FILE, PROGRAM_DIR, desktop_ids,
                             missing_and_unexpected, png_icon)

START_SCREEN = "StartScreen(0x"
MESSAGE_BOX = "QMessageBox(0x"
# Either window paints within a fraction of a second; the limit only bounds a hung start, far
# beyond what a busy machine takes.
SECONDS_TO_FIRST_WINDOW = 30.0
# After the first window, long enough for a second one to paint had the game gone on.
SECONDS_TO_SETTLE = 0.5
POLL_SECONDS = 0.1

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
PNG_RGBA = 6


def fail(message):
    print(f"FAIL: {message}")
    return False


def install(cmake, build_dir, prefix):
    result = subprocess.run([cmake, "--install", build_dir, "--prefix", prefix],
                            capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        print(result.stdout, result.stderr)
    return result.returncode == 0


def png_chunks(data):
    offset = len(PNG_SIGNATURE)
    while offset < len(data):
        length, kind = struct.unpack(">I4s", data[offset:offset + 8])
        yield kind, data[offset + 8:offset + 8 + length]
        offset += 12 + length


def check_png(path, size):
    """The PNG is size x size and draws something: an empty picture would pass for an icon."""
    with open(path, "rb") as file:
        data = file.read()
    if not data.startswith(PNG_SIGNATURE):
        return fail(f"{path} is no PNG")
    chunks = list(png_chunks(data))
    width, height, depth, colour = struct.unpack(">IIBB", chunks[0][1][:10])
    if (width, height) != (size, size):
        return fail(f"{path} is {width}x{height}, not {size}x{size}")
    if (depth, colour) != (8, PNG_RGBA):
        return fail(f"{path} is not 8-bit RGBA")
    rows = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    stride = 1 + 4 * width
    # Each row starts with its filter byte; a fully transparent picture filters to zeros only.
    if not any(any(rows[row + 1:row + stride]) for row in range(0, len(rows), stride)):
        return fail(f"{path} is fully transparent")
    return True


def entry_value(path, key):
    with open(path, encoding="utf-8") as entry:
        for line in entry:
            if line.startswith(key + "="):
                return line.strip().partition("=")[2]
    return ""


def check_entries(prefix, app_id):
    """Each desktop entry starts a program of the install and shows an icon of the install."""
    ok = True
    for program in desktop_ids(app_id):
        entry = os.path.join(prefix, "share", "applications", f"{program}.desktop")
        binary = entry_value(entry, "Exec").split()[0]
        if not os.path.exists(os.path.join(prefix, PROGRAM_DIR, binary)):
            ok = fail(f"{program}.desktop starts {binary!r}, which the install lacks")
        icon = entry_value(entry, "Icon")
        if not os.path.exists(os.path.join(prefix, png_icon(icon, ICON_SIZES[0]))):
            ok = fail(f"{program}.desktop shows the icon {icon!r}, which the install lacks")
    return ok


def painted_widgets(binary, environment, log_path):
    """Runs the game until its first window has painted and settled, then ends it."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
               QT_LOGGING_RULES="qt.widgets.painting=true", **environment)
    with open(log_path, "w+") as log:
        game = subprocess.Popen([binary], stdout=log, stderr=subprocess.STDOUT, env=env)
        try:
            deadline = time.monotonic() + SECONDS_TO_FIRST_WINDOW
            while time.monotonic() < deadline and game.poll() is None:
                log.seek(0)
                text = log.read()
                if START_SCREEN in text or MESSAGE_BOX in text:
                    deadline = min(deadline, time.monotonic() + SECONDS_TO_SETTLE)
                time.sleep(POLL_SECONDS)
        finally:
            game.kill()
            game.wait(timeout=10)
        log.seek(0)
        return log.read()


def check_run(name, binary, environment, expect_start_screen, log_path):
    text = painted_widgets(binary, environment, log_path)
    saw_start, saw_box = START_SCREEN in text, MESSAGE_BOX in text
    print(f"{name}: start screen {'seen' if saw_start else 'not seen'}, "
          f"message box {'seen' if saw_box else 'not seen'}")
    if (saw_start, saw_box) != (expect_start_screen, not expect_start_screen):
        tail = "\n".join(text.splitlines()[-20:])
        return fail(f"{name}: expected the {'start screen' if expect_start_screen else 'message box'}"
                    f" alone; the game's last output:\n{tail}")
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cmake", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--app-id", required=True)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory(prefix="quirlon95-install-") as temp:
        prefix = os.path.join(temp, "prefix")
        if not install(args.cmake, args.build, prefix):
            return fail("cmake --install failed")
        missing, unexpected = missing_and_unexpected(prefix, args.app_id)
        if missing or unexpected:
            return fail(f"install lacks {missing}, holds unexpected {unexpected}")
        if not all(check_png(os.path.join(prefix, png_icon(program, size)), size)
                   for program in desktop_ids(args.app_id) for size in ICON_SIZES):
            return False
        if not check_entries(prefix, args.app_id):
            return False

        # Data folders of our own, empty, so a game installed on this machine cannot answer.
        empty_data = os.path.join(temp, "empty-data")
        empty_home = os.path.join(temp, "home")
        os.makedirs(empty_data)
        os.makedirs(empty_home)
        isolated = {"HOME": empty_home, "XDG_DATA_HOME": empty_home, "XDG_DATA_DIRS": empty_data}
        installed = os.path.join(prefix, BINARY)
        # A copy outside the prefix can only find the level file through the data folders.
        moved = os.path.join(temp, "elsewhere", "bin", "quirlon95")
        os.makedirs(os.path.dirname(moved))
        shutil.copy2(installed, moved)
        log = os.path.join(temp, "game.log")

        runs = [
            ("prefix no system data folder: beside the binary", installed, isolated, True),
            ("prefix's share listed in XDG_DATA_DIRS", moved,
             dict(isolated, XDG_DATA_DIRS=f"{empty_data}:{os.path.join(prefix, 'share')}"), True),
            ("binary outside the prefix, prefix not listed", moved, isolated, False),
        ]
        ok = all([check_run(*run, log) for run in runs])
        os.remove(os.path.join(prefix, LEVEL_FILE))
        ok = check_run("level file removed from the install", installed, isolated, False, log) and ok
        return ok


if __name__ == "__main__":
    sys.exit(0 if main() else 1)
