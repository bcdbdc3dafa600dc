"""A headless Wayland desktop under KWin: kwin_wayland on a virtual screen with a session bus of its
own, a player's pointer and keyboard through KWin's fake input protocol (fakeinput.c), what KWin
knows of the windows through scripts it runs, and the screen through its screenshot interface.
The same questions and hands as xdesktop.Desktop, so the checks of a tier run on either."""

import contextlib
import json
import os
import re
import shutil
import struct
import subprocess
import zlib

from xdesktop import START_TRIES, WINDOW_TRIES, DesktopError, Desktop as XDesktop

SCREEN = (1600, 1000)
MAIN_WIDTH = 632
TOOLS = ["kwin_wayland", "dbus-daemon", "gdbus"]
SOCKET = "wayland-quirlon"
EVENT_CODES = "/usr/include/linux/input-event-codes.h"
# The Linux input codes of the keys the tiers press, by xdotool's names; a letter's is KEY_ and it.
KEYS = {"Return": "KEY_ENTER", "space": "KEY_SPACE", "Tab": "KEY_TAB", "Right": "KEY_RIGHT",
        "Escape": "KEY_ESC", "ctrl": "KEY_LEFTCTRL", "shift": "KEY_LEFTSHIFT"}
BUTTONS = {1: "BTN_LEFT", 2: "BTN_MIDDLE", 3: "BTN_RIGHT"}

# Tells what KWin knows of its windows, in the order they came, and which one is active, at once
# and whenever any of it changes, so that a question needs no call. KWin draws the game's title
# bars, so a window's buffer is its client area.
WATCH_SCRIPT = """
function rect(r) { return [r.x, r.y, r.width, r.height]; }
function tell(gone) {
    var windows = workspace.clientList().filter(function (w) { return w !== gone; });
    var active = workspace.activeClient;
    print("%s " + JSON.stringify({
        windows: windows.map(function (w) {
            return {id: String(w.internalId), title: w.caption, pid: w.pid,
                    order: w.stackingOrder, frame: rect(w.frameGeometry),
                    client: rect(w.bufferGeometry),
                    parent: w.transientFor ? String(w.transientFor.internalId) : null};
        }),
        active: active && active !== gone ? String(active.internalId) : null}));
}
function watch(w) {
    [w.stackingOrderChanged, w.frameGeometryChanged, w.bufferGeometryChanged, w.captionChanged,
     w.transientChanged].forEach(function (changed) { changed.connect(function () { tell(); }); });
}
workspace.clientList().forEach(watch);
workspace.clientAdded.connect(function (w) { watch(w); tell(); });
workspace.clientRemoved.connect(function (w) { tell(w); });
workspace.clientActivated.connect(function () { tell(); });
tell();
return true;
"""
STATE = "quirlon-windows"
# The window a script acts on, as `w`.
FIND_SCRIPT = """
var w = workspace.clientList().filter(function (c) { return String(c.internalId) == %s; })[0];
if (!w) return false;
"""


def event_codes():
    with open(EVENT_CODES) as f:
        return {name: int(value, 0) for name, value in
                re.findall(r"^#define\s+((?:KEY|BTN)_\w+)\s+(0x[0-9a-fA-F]+|\d+)\s*$", f.read(),
                           re.MULTILINE)}


def png(path, width, height, rows):
    """Writes rows of RGB bytes as a PNG file."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + \
            struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2,
                                                                   0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


class Desktop(XDesktop):
    # KWin raises and activates a window the program asks it to activate with a token for the
    # player's last input; even at its highest focus stealing prevention it grants that.
    raises_on_request = True
    can_refuse_activation = False
    can_scale = True

    def __init__(self, home, fake_input, scale=1):
        self.processes = []
        self.fake_input, self.scale = fake_input, scale
        self.home = os.path.abspath(home)
        runtime = os.path.join(self.home, "runtime")
        os.makedirs(runtime, mode=0o700)
        session = {key: value for key, value in os.environ.items()
                   if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                  "DBUS_SESSION_BUS_ADDRESS")}
        session.update(HOME=self.home, XDG_RUNTIME_DIR=runtime, LANG="C.UTF-8",
                       XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                       XDG_CACHE_HOME=os.path.join(self.home, "cache"))
        self.log_path = os.path.join(self.home, "kwin.log")
        self.log = open(self.log_path, "w")
        try:
            self._start_bus(session, runtime)
            self._start_kwin()
            self.codes = event_codes()
            self.hands = subprocess.Popen([fake_input], env=self.env, stdin=subprocess.PIPE,
                                          stdout=subprocess.PIPE, stderr=self.log, text=True)
            self.processes.append(self.hands)
        except (DesktopError, OSError):
            # The tier never gets this desktop to close.
            self.close()
            raise

    def _start_bus(self, session, runtime):
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                "--address=unix:path=" + os.path.join(runtime, "bus")],
                               env=session, stdout=subprocess.PIPE, stderr=self.log, text=True)
        self.processes.append(bus)
        address = bus.stdout.readline().strip()
        if not address:
            raise DesktopError("the session bus did not come up")
        self.env = dict(session, DBUS_SESSION_BUS_ADDRESS=address, WAYLAND_DISPLAY=SOCKET,
                        XDG_SESSION_TYPE="wayland")

    def _start_kwin(self):
        # Debian's kwin_wayland carries a file capability that a container may refuse to execute;
        # a copy carries none, and KWin finds its plugins by the name it ends in.
        kwin = os.path.join(self.home, "kwin", "kwin_wayland")
        os.makedirs(os.path.dirname(kwin))
        shutil.copy(shutil.which("kwin_wayland"), kwin)
        kwin_env = dict(self.env, KWIN_WAYLAND_NO_PERMISSION_CHECKS="1",
                        KWIN_SCREENSHOT_NO_PERMISSION_CHECKS="1", XKB_DEFAULT_LAYOUT="us",
                        # A script's print() lands in the log, where its answer is read.
                        QT_LOGGING_RULES="kwin_scripting.debug=true")
        self.processes.append(subprocess.Popen(
            [kwin, "--virtual", "--width", str(SCREEN[0]), "--height", str(SCREEN[1]),
             "--scale", str(self.scale),
             "--no-lockscreen", "--no-global-shortcuts", "--socket", SOCKET],
            env=kwin_env, stdout=self.log, stderr=self.log))
        self.reader = open(self.log_path, errors="replace")
        self.heard, self.scripts, self.state = "", 0, None
        socket_path = os.path.join(self.env["XDG_RUNTIME_DIR"], SOCKET)
        if not self.wait_for(lambda: os.path.exists(socket_path) and self._answers(), START_TRIES):
            raise DesktopError(f"kwin did not come up; its log: {self.log_path}")
        self.script(WATCH_SCRIPT % STATE)

    def _answers(self):
        reply = self.kwin("/Scripting", "org.kde.kwin.Scripting.isScriptLoaded", "none")
        return reply.startswith("(")

    @property
    def game_env(self):
        # As a Wayland session starts a program: Qt chooses Wayland by itself.
        return dict(self.env)

    def close(self):
        if getattr(self, "hands", None) and self.hands.stdin:
            self.hands.stdin.close()
        super().close()
        for log in (getattr(self, "reader", None), self.log):
            if log:
                log.close()

    def kwin(self, path, method, *args):
        return self.x("gdbus", "call", "--session", "--dest", "org.kde.KWin", "--object-path",
                      path, "--method", method, *args)

    # What the compositor says.

    def script(self, body):
        """Runs a script in KWin and returns what its body returns, read from KWin's log."""
        self.scripts += 1
        name = f"quirlon{self.scripts}"
        path = os.path.join(self.home, "script.js")
        with open(path, "w") as f:
            f.write(f'print("{name} " + JSON.stringify((function () {{ {body} }})()));\n')
        self.kwin("/Scripting", "org.kde.kwin.Scripting.loadScript", path, name)
        self.kwin("/Scripting", "org.kde.kwin.Scripting.start")
        found = self.wait_for(lambda: self._listen(name), WINDOW_TRIES)
        if not found:
            raise DesktopError(f"kwin did not run a script; its log: {self.log_path}")
        return json.loads(found.group(2))

    def act(self, window, body):
        return self.script(FIND_SCRIPT % json.dumps(window) + body)

    def _listen(self, name):
        """Reads KWin's log on to the answer of the script `name`, keeping the windows' newest
        state on the way."""
        self.heard += self.reader.read()
        lines = self.heard.split("\n")
        self.heard = lines.pop()
        found = None
        for line in lines:
            said = re.match(r"js: (\S+) (.*)", line)
            if said and said.group(1) == STATE:
                self.state = json.loads(said.group(2))
            elif said and said.group(1) == name:
                found = said
        return found

    def _windows(self):
        self._listen(None)
        state = self.state
        self.tree = {w["id"]: w for w in state["windows"]}
        self.created = [w["id"] for w in state["windows"]]
        return state

    def stacking_and_active(self):
        state = self._windows()
        order = sorted(state["windows"], key=lambda w: w["order"])
        return [w["id"] for w in order], state["active"]

    def focus(self):
        return self.active()

    def _window(self, window):
        self._windows()
        return self.tree.get(window)

    def describe(self, window):
        found = self._window(window) or {"title": "", "client": (0, 0, 0, 0), "pid": None}
        # KWin numbers the captions of a program's windows that share a title.
        title = re.sub(r" <\d+>$", "", found["title"])
        return {"title": title, "dialog": not self._is_main(found),
                "rect": tuple(found["client"])}

    def _is_main(self, window):
        """A Wayland client does not say which window is a dialog. The main window is as wide as
        the start screen and comes up before it: the first of the program's windows that wide."""
        wide = [w for w in self.created if self.tree[w]["pid"] == window["pid"] and
                self.tree[w]["client"][2] == MAIN_WIDTH]
        return wide[:1] == [window.get("id")]

    def belongs_to(self, window, main, game_log):
        """Whether KWin has the window transient for the main window, directly or through the
        window it came from; and if not, for what."""
        self._windows()
        parents, parent = [], (self.tree.get(window) or {}).get("parent")
        while parent and parent not in parents and parent != main:
            parents.append(parent)
            parent = (self.tree.get(parent) or {}).get("parent")
        return parent == main, f"transient for {parents or 'nothing'}"

    def title_bar_height(self, window):
        found = self._window(window)
        return found["client"][1] - found["frame"][1] if found else 0

    def capture(self, rect, options="{}"):
        """The screen's pixels over a rectangle: their width, height and rows of four bytes each
        (blue, green, red, alpha)."""
        x, y, w, h = rect
        read_end, write_end = os.pipe()
        try:
            reply = subprocess.run(
                ["gdbus", "call", "--session", "--dest", "org.kde.KWin", "--object-path",
                 "/org/kde/KWin/ScreenShot2", "--method", "org.kde.KWin.ScreenShot2.CaptureArea",
                 str(x), str(y), str(w), str(h), options, f"@h {write_end}"],
                env=self.env, pass_fds=[write_end], capture_output=True, text=True, timeout=20)
        finally:
            os.close(write_end)
        with os.fdopen(read_end, "rb") as pipe:
            data = pipe.read()
        size = {key: re.search(rf"'{key}': <uint32 (\d+)>", reply.stdout)
                for key in ("width", "height", "stride")}
        if not all(size.values()):
            return 0, 0, b""
        width, height, stride = (int(found.group(1)) for found in size.values())
        if len(data) != stride * height:
            return 0, 0, b""
        return width, height, b"".join(data[row * stride:row * stride + 4 * width]
                                       for row in range(height))

    def grab(self, rect):
        width, height, pixels = self.capture(rect)
        return pixels if (width, height) == tuple(rect[2:]) else b""

    def device_pixels(self, rect):
        width, height, pixels = self.capture(rect, "{'native-resolution': <true>}")
        rgb = bytearray(len(pixels) // 4 * 3)
        for channel, offset in ((0, 2), (1, 1), (2, 0)):
            rgb[channel::3] = pixels[offset::4]
        return width, height, bytes(rgb)

    @contextlib.contextmanager
    def scaled(self, scale):
        """A KWin of its own, with its screen at a scale and as large in logical pixels."""
        desktop = Desktop(os.path.join(self.home, f"scale-{scale}"), self.fake_input, scale)
        try:
            yield desktop
        finally:
            desktop.close()

    def mean_brightness(self, rect):
        pixels = self.grab(rect)
        alpha = sum(pixels[3::4])
        return (sum(pixels) - alpha) / (255 * 3 * len(pixels) // 4) if pixels else -1.0

    def picture(self, rect):
        return self.grab(rect)

    def screenshot(self, path):
        w, h = SCREEN
        pixels = self.grab((0, 0, w, h))
        if pixels:
            rgb = bytearray(w * h * 3)
            for channel, offset in ((0, 2), (1, 1), (2, 0)):
                rgb[channel::3] = pixels[offset::4]
            png(path, w, h, (bytes(rgb[row * w * 3:(row + 1) * w * 3]) for row in range(h)))

    # What the player's hands do.

    def hand(self, *command):
        self.hands.stdin.write(" ".join(str(part) for part in command) + "\n")
        self.hands.stdin.flush()
        if self.hands.stdout.readline().strip() != "ok":
            raise DesktopError(f"the fake input client failed on {command}")

    def click(self, x, y, button=1):
        code = self.codes[BUTTONS[button]]
        self.hand("move", x, y)
        self.hand("button", code, 1)
        self.hand("button", code, 0)

    def key(self, keys):
        codes = [self.codes[KEYS.get(name, "KEY_" + name.upper())] for name in keys.split("+")]
        for code in codes:
            self.hand("key", code, 1)
        for code in reversed(codes):
            self.hand("key", code, 0)

    def move_window(self, window, x, y):
        # KWin places the frame, title bar included.
        self.act(window, """
var f = w.frameGeometry, c = w.bufferGeometry;
w.frameGeometry = {x: %d - (c.x - f.x), y: %d - (c.y - f.y), width: f.width, height: f.height};
return true;""" % (x, y))

    def activate(self, window):
        self.act(window, "workspace.activeClient = w; return true;")
