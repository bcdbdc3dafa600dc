"""A virtual X desktop for the game: Xvfb on a free display, a window manager on it, and what a
player's eyes and hands do there, through xprop, xwininfo, xdotool and ImageMagick's import."""

import os
import re
import shutil
import subprocess
import tempfile
import time

# Large enough that a dialog moved aside stays on the screen beside the centred main window.
SCREEN = "1600x1000x24"
POLL_SECONDS = 0.05
# Bounds for waiting on the desktop; only a hang ever uses them up.
START_TRIES = 600
WINDOW_TRIES = 400
# An answer counts as settled when this many polls in a row saw the same.
SETTLED_POLLS = 4
SETTLE_TRIES = 60

TOOLS = ["Xvfb", "xdotool", "xprop", "xwininfo", "import"]

# Wayland compositors, each a desktop of its own kind (waydesktop.py, kwindesktop.py).
WAYLAND_COMPOSITORS = ("sway", "kwin")

WINDOW_MANAGERS = {
    "openbox": ["openbox", "--sm-disable"],
    "icewm": ["icewm"],
    "fluxbox": ["fluxbox"],
}


# Written to the program's log before each start, so that what follows is one run's.
SESSION_MARK = "=== a new run of the program\n"


class DesktopError(Exception):
    """The desktop itself failed: no display, no window manager, a tool missing."""


class Desktop:
    # The window manager raises a window when the program asks it to.
    raises_on_request = True
    # Whether the desktop can be told to refuse the program's requests for activation.
    can_refuse_activation = False
    # Whether the desktop's output can be set to a scale (scaled()) and read in device pixels
    # (device_pixels()).
    can_scale = False

    def __init__(self, wm, home):
        self.env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                        XDG_RUNTIME_DIR=os.path.join(home, "runtime"), LANG="C.UTF-8")
        self.env.pop("WAYLAND_DISPLAY", None)
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        self.processes = []
        self._start_xvfb()
        self._start_wm(wm)

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN,
                                 "-nolisten", "tcp", "-noreset"], pass_fds=[write_end],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(xvfb)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise DesktopError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def _start_wm(self, wm):
        # Fluxbox sets a wallpaper by default and reports in a window when it cannot.
        fluxbox = os.path.join(self.env["HOME"], ".fluxbox")
        os.makedirs(fluxbox, exist_ok=True)
        with open(os.path.join(fluxbox, "overlay"), "w") as overlay:
            overlay.write("background: none\n")
        self.processes.append(subprocess.Popen(WINDOW_MANAGERS[wm], env=self.env,
                                               stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL))
        for _ in range(START_TRIES):
            # A window manager that follows the desktop conventions announces itself on the root.
            if "window id #" in self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"):
                return
            time.sleep(POLL_SECONDS)
        raise DesktopError(f"{wm} did not come up")

    @property
    def game_env(self):
        """Where the program under test runs: on this desktop's display."""
        return dict(self.env, QT_QPA_PLATFORM="xcb")

    def close(self):
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()

    def x(self, *command):
        result = subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=20)
        return result.stdout

    # What the window manager says.

    def stacking_and_active(self):
        """The managed windows, bottom first, and the active one."""
        answer = self.x("xprop", "-root", "_NET_CLIENT_LIST_STACKING", "_NET_ACTIVE_WINDOW")
        ids = {name: [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", line)]
               for name, _, line in (line.partition("(") for line in answer.splitlines())}
        active = ids.get("_NET_ACTIVE_WINDOW") or [None]
        return ids.get("_NET_CLIENT_LIST_STACKING", []), active[0]

    def stacking(self):
        return self.stacking_and_active()[0]

    def active(self):
        return self.stacking_and_active()[1]

    def focus(self):
        answer = self.x("xdotool", "getwindowfocus").strip()
        return int(answer) if answer.isdigit() else None

    def describe(self, window):
        """Title, whether the window calls itself a dialog, and its client rectangle."""
        props = self.x("xprop", "-id", str(window), "_NET_WM_NAME", "_NET_WM_WINDOW_TYPE")
        title = re.search(r'_NET_WM_NAME\(UTF8_STRING\) = "(.*)"', props)
        info = self.x("xwininfo", "-id", str(window))
        numbers = {key: int(re.search(key + r":\s+(-?\d+)", info).group(1))
                   for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width",
                               "Height")}
        return {
            "title": title.group(1) if title else "",
            "dialog": "_NET_WM_WINDOW_TYPE_DIALOG" in props,
            "rect": (numbers["Absolute upper-left X"], numbers["Absolute upper-left Y"],
                     numbers["Width"], numbers["Height"]),
        }

    def owner(self, window):
        """The window this one is transient for, if any."""
        found = re.search(r"window id # (0x[0-9a-f]+)",
                          self.x("xprop", "-id", str(window), "WM_TRANSIENT_FOR"))
        return int(found.group(1), 16) if found else None

    def belongs_to(self, window, main, game_log):
        """Whether the window is transient for the main window, directly or through the window
        it came from; and if not, what it is transient for."""
        owners, owner = [], self.owner(window)
        while owner and owner not in owners and owner != main:
            owners.append(owner)
            owner = self.owner(owner)
        return owner == main, f"transient for {owners or 'nothing'}"

    def title_bar_height(self, window):
        extents = re.findall(r"\d+", self.x("xprop", "-id", str(window), "_NET_FRAME_EXTENTS")
                             .partition("=")[2])
        return int(extents[2]) if len(extents) == 4 else 0

    def mean_brightness(self, rect):
        """The screen's mean brightness over a rectangle, 0 (black) to 1 (white)."""
        x, y, w, h = rect
        answer = self.x("import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                        "-format", "%[fx:mean]", "info:")
        return float(answer) if answer else -1.0

    def picture(self, rect):
        """A digest of the screen's pixels over a rectangle."""
        x, y, w, h = rect
        return self.x("import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "-format", "%#",
                      "info:")

    def screenshot(self, path):
        self.x("import", "-window", "root", path)

    # What the player's hands do.

    def click(self, x, y, button=1):
        self.x("xdotool", "mousemove", str(x), str(y), "click", str(button))

    def key(self, keys):
        self.x("xdotool", "key", keys)

    def move_window(self, window, x, y):
        self.x("xdotool", "windowmove", "--sync", str(window), str(x), str(y))

    def close_window(self, window):
        """A click on the window's close box, at the right end of its title bar."""
        x, y, w, _ = self.describe(window)["rect"]
        title = self.title_bar_height(window)
        self.click(x + w - title // 2, y - title // 2)

    def activate(self, window):
        self.x("xdotool", "windowactivate", str(window))

    # Waiting, by polling with a bound on the tries, never on the clock.

    def wait_for(self, probe, tries=WINDOW_TRIES):
        for _ in range(tries):
            answer = probe()
            if answer:
                return answer
            time.sleep(POLL_SECONDS)
        return None

    def settled(self, observe):
        """What observe() answers once the desktop has stopped changing it."""
        last, same = None, 0
        for _ in range(SETTLE_TRIES):
            answer = observe()
            same = same + 1 if answer == last else 1
            last = answer
            if same >= SETTLED_POLLS:
                break
            time.sleep(POLL_SECONDS)
        return last


def run_tier(wm, out, name, make_tier, fake_input=None):
    """Runs a tier of checks on a fresh desktop under `wm`: make_tier(desktop, scratch) gives an
    object with run(), checks and failed. On failure the program's log `name`.log and the
    screenshots stay in `out`. Returns the exit code: 0 passed, 1 failed, 77 skipped. KWin is
    played through the client of its fake input protocol `fake_input`."""
    if wm == "sway":
        import waydesktop
        tools, open_desktop = waydesktop.TOOLS, lambda scratch: waydesktop.Desktop(scratch)
    elif wm == "kwin":
        import kwindesktop
        tools = kwindesktop.TOOLS + [fake_input or "the fake input client"]
        open_desktop = lambda scratch: kwindesktop.Desktop(scratch, fake_input)
    else:
        tools, open_desktop = TOOLS + [wm], lambda scratch: Desktop(wm, scratch)
    missing = [tool for tool in tools if not shutil.which(tool)]
    if missing:
        print(f"skipped: missing {', '.join(missing)} (tools/setup.sh installs them)")
        return 77
    shutil.rmtree(out, ignore_errors=True)
    # Beside the screenshots, in the build: an unprivileged compositor must reach it.
    scratch_parent = os.path.dirname(os.path.abspath(out))
    os.makedirs(scratch_parent, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix=f"quirlon-{name}-desktop-",
                                     dir=scratch_parent) as scratch:
        try:
            desktop = open_desktop(scratch)
        except DesktopError as error:
            print(f"FAIL {wm}: {error}")
            return 1
        try:
            tier = make_tier(desktop, scratch)
            passed = tier.run()
        finally:
            desktop.close()
        if not passed:
            shutil.copy(os.path.join(scratch, f"{name}.log"), out)
            print(f"{len(tier.failed)} of {tier.checks} checks failed under {wm}; "
                  f"screenshots in {out}")
        else:
            print(f"all {tier.checks} checks held under {wm}")
    return 0 if passed else 1
