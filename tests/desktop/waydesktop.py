"""A headless Wayland desktop for the game: sway with no X server, a player's pointer and keyboard
through wayvnc's virtual devices, driven over its socket by a small RFB client, what the
compositor says through swaymsg, and the screen through grim. The same questions and hands as
xdesktop.Desktop, so the checks of a tier run on either."""

import contextlib
import glob
import json
import os
import re
import socket
import struct
import subprocess

from xdesktop import SESSION_MARK, START_TRIES, DesktopError, Desktop as XDesktop

SCREEN = (1600, 1000)
OUTPUT = "HEADLESS-1"
MAIN_WIDTH = 632
TOOLS = ["sway", "swaymsg", "wayvnc", "grim", "setpriv"]
# sway refuses to run as root; it runs as this user, which every Debian system has.
UNPRIVILEGED = ("nobody", 65534, 65534)

CONFIG = f"""
output {OUTPUT} resolution {SCREEN[0]}x{SCREEN[1]} position 0 0
xwayland disable
focus_follows_mouse no
# By default sway only marks a window urgent when a program asks to activate it.
focus_on_window_activation focus
default_border normal
default_floating_border normal
"""

# X keysyms of the keys the tiers press, as xdotool names them.
KEYSYMS = {"Return": 0xff0d, "space": 0x20, "Tab": 0xff09, "Right": 0xff53, "Escape": 0xff1b,
           "F5": 0xffc2, "ctrl": 0xffe3, "shift": 0xffe1}
BUTTON_MASKS = {1: 1, 2: 2, 3: 4}


def keysym(name):
    return KEYSYMS.get(name, ord(name) if len(name) == 1 else None)


class Rfb:
    """A client of the RFB protocol that only sends input: no picture is ever asked for."""

    def __init__(self, path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.settimeout(20)
        self.sock.connect(path)
        version = self._read(12)
        if not version.startswith(b"RFB 003."):
            raise DesktopError(f"wayvnc answered {version!r}")
        self.sock.sendall(b"RFB 003.008\n")
        types = self._read(self._read(1)[0])
        if 1 not in types:
            raise DesktopError("wayvnc wants a password")
        self.sock.sendall(b"\x01")
        if struct.unpack(">I", self._read(4))[0] != 0:
            raise DesktopError("wayvnc refused the connection")
        self.sock.sendall(b"\x01")  # shared
        header = self._read(24)
        self._read(struct.unpack(">I", header[20:24])[0])

    def _read(self, count):
        data = b""
        while len(data) < count:
            chunk = self.sock.recv(count - len(data))
            if not chunk:
                raise DesktopError("wayvnc closed the connection")
            data += chunk
        return data

    def pointer(self, x, y, mask=0):
        self.sock.sendall(struct.pack(">BBHH", 5, mask, x, y))

    def key(self, sym, down):
        self.sock.sendall(struct.pack(">BBxxI", 4, int(down), sym))

    def close(self):
        self.sock.close()


class Desktop(XDesktop):
    # sway gives the keyboard to a window the program asks it to activate (with the setting
    # below), but raises only what the player clicks.
    raises_on_request = False
    can_refuse_activation = True
    can_scale = True

    def __init__(self, home):
        self.processes = []
        home = os.path.abspath(home)
        runtime = os.path.join(home, "runtime")
        os.makedirs(runtime, mode=0o700)
        _, uid, gid = UNPRIVILEGED
        os.chown(home, uid, gid)
        os.chown(runtime, uid, gid)
        config = os.path.join(runtime, "config")
        with open(config, "w") as f:
            f.write(CONFIG)
        compositor_env = {key: value for key, value in os.environ.items()
                          if key not in ("DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK")}
        compositor_env.update(HOME=runtime, XDG_RUNTIME_DIR=runtime, WLR_BACKENDS="headless",
                              WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman")
        self.log = open(os.path.join(home, "sway.log"), "w")
        self.processes.append(subprocess.Popen(
            ["setpriv", f"--reuid={uid}", f"--regid={gid}", "--clear-groups", "sway", "-c",
             config], env=compositor_env, stdout=self.log, stderr=self.log))
        if not self.wait_for(lambda: glob.glob(os.path.join(runtime, "sway-ipc.*.sock")) and
                             glob.glob(os.path.join(runtime, "wayland-*.lock")), START_TRIES):
            raise DesktopError("sway did not come up")
        socket_path = glob.glob(os.path.join(runtime, "wayland-*.lock"))[0][:-len(".lock")]
        # Everyone else runs as the caller, reaching the compositor by the socket's full path.
        client_runtime = os.path.join(home, "client-runtime")
        os.makedirs(client_runtime, mode=0o700)
        self.env = dict(compositor_env, HOME=home, XDG_RUNTIME_DIR=client_runtime,
                        WAYLAND_DISPLAY=socket_path, XDG_SESSION_TYPE="wayland",
                        SWAYSOCK=glob.glob(os.path.join(runtime, "sway-ipc.*.sock"))[0],
                        XDG_CONFIG_HOME=os.path.join(home, "config"), LANG="C.UTF-8")
        vnc = os.path.join(client_runtime, "vnc")
        self.processes.append(subprocess.Popen(["wayvnc", "-u", vnc], env=self.env,
                                               stdout=self.log, stderr=self.log))
        if not self.wait_for(lambda: os.path.exists(vnc), START_TRIES):
            raise DesktopError("wayvnc did not come up")
        self.rfb = Rfb(vnc)
        # The virtual pointer appears on the seat with the first event.
        self.rfb.pointer(1, 1)
        self.tree = None

    @property
    def game_env(self):
        # The program tells the compositor which window it belongs to on the wire; its log of the
        # protocol shows what it told.
        return dict(self.env, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client")

    def close(self):
        if getattr(self, "rfb", None):
            self.rfb.close()
        super().close()

    def sway(self, *args):
        return self.x("swaymsg", *args)

    # What the compositor says.

    def _views(self):
        """The views, bottom first: tiled ones under the floating ones, each workspace's floating
        ones in their stacking order."""
        try:
            tree = json.loads(self.sway("-r", "-t", "get_tree"))
        except json.JSONDecodeError:
            self.tree = {}
            return []
        found = []

        def walk(node):
            if node.get("type") == "workspace":
                tiled = []
                collect(node.get("nodes", []), tiled)
                floating = []
                collect(node.get("floating_nodes", []), floating)
                found.extend(tiled + floating)
                return
            for child in node.get("nodes", []):
                walk(child)

        def collect(nodes, into):
            for node in nodes:
                if node.get("pid"):
                    into.append(node)
                collect(node.get("nodes", []) + node.get("floating_nodes", []), into)

        walk(tree)
        self.tree = {node["id"]: node for node in found}
        return found

    def stacking_and_active(self):
        views = self._views()
        focused = [node["id"] for node in views if node.get("focused")]
        return [node["id"] for node in views], focused[0] if focused else None

    def focus(self):
        return self.active()

    def _node(self, window):
        self._views()
        return self.tree.get(window)

    def describe(self, window):
        node = self._node(window) or {"rect": {}, "window_rect": {}, "id": window}
        rect, inner = node["rect"], node["window_rect"]
        return {
            "title": node.get("name") or "",
            "dialog": not self._is_main(node),
            "rect": (rect.get("x", 0) + inner.get("x", 0), rect.get("y", 0) + inner.get("y", 0),
                     inner.get("width", 0), inner.get("height", 0)),
        }

    def _is_main(self, node):
        """A Wayland client does not say which window is a dialog. The main window is as wide as
        the start screen and comes up before it: the first of the program's windows that wide."""
        def wide(other):
            return other.get("pid") == node.get("pid") and \
                other.get("window_rect", {}).get("width") == MAIN_WIDTH
        return wide(node) and not any(wide(other) and other["id"] < node["id"]
                                      for other in (self.tree or {}).values())

    def belongs_to(self, window, main, game_log):
        """sway does not tell a window's parent. The program's log of the Wayland protocol does:
        the newest toplevel, the window just shown, must have the first one, the main window,
        as its parent, directly or through the window it came from."""
        with open(game_log, errors="replace") as f:
            run = f.read().rpartition(SESSION_MARK)[2]
        created = re.findall(r"get_toplevel\(new id xdg_toplevel@(\d+)\)", run)
        parents = dict(re.findall(r"xdg_toplevel@(\d+)\.set_parent\(xdg_toplevel@(\d+)\)", run))
        if not created:
            return False, "no toplevel in the log"
        chain, toplevel = [], created[-1]
        while toplevel in parents and toplevel not in chain and toplevel != created[0]:
            chain.append(toplevel)
            toplevel = parents[toplevel]
        return toplevel == created[0] and chain != [], f"parents from the newest: {chain}"

    def title_bar_height(self, window):
        node = self._node(window)
        return node["deco_rect"]["height"] if node else 0

    def device_pixels(self, rect):
        """The screen's device pixels over a rectangle given in logical ones: their width, height
        and rows of RGB bytes."""
        x, y, w, h = rect
        result = subprocess.run(["grim", "-t", "ppm", "-g", f"{x},{y} {w}x{h}", "-"],
                                env=self.env, capture_output=True, timeout=20)
        # P6, width, height, maximum value, each followed by one blank.
        parts = result.stdout.split(maxsplit=4)
        if len(parts) != 5:
            return 0, 0, b""
        return int(parts[1]), int(parts[2]), parts[4]

    def grab(self, rect):
        """The screen's pixels over a rectangle, as rows of RGB bytes."""
        return self.device_pixels(rect)[2]

    def mean_brightness(self, rect):
        pixels = self.grab(rect)
        return sum(pixels) / (255 * len(pixels)) if pixels else -1.0

    def picture(self, rect):
        return self.grab(rect)

    def screenshot(self, path):
        subprocess.run(["grim", path], env=self.env, capture_output=True, timeout=20)

    # What the player's hands do.

    def click(self, x, y, button=1):
        self.rfb.pointer(x, y)
        self.rfb.pointer(x, y, BUTTON_MASKS[button])
        self.rfb.pointer(x, y)
        # Nothing comes back over RFB; the compositor has the events once it answers.
        self.sway("-t", "get_version")

    def key(self, keys):
        names = keys.split("+")
        # wayvnc lifts the modifiers that would change the key's symbol: a letter under Shift
        # must be sent as the capital it types.
        if "shift" in names:
            names = [name.upper() if len(name) == 1 else name for name in names]
        syms = [keysym(name) for name in names]
        for sym in syms:
            self.rfb.key(sym, True)
        for sym in reversed(syms):
            self.rfb.key(sym, False)
        self.sway("-t", "get_version")

    def move_window(self, window, x, y):
        # The compositor places the frame, title bar included.
        node = self._node(window)
        dx, dy = (node["window_rect"]["x"], node["window_rect"]["y"] +
                  node["deco_rect"]["height"]) if node else (0, 0)
        self.sway(f"[con_id={window}]", "move", "absolute", "position", str(x - dx), str(y - dy))

    @contextlib.contextmanager
    def scaled(self, scale):
        """This desktop with its output at a scale, as large in logical pixels as before."""
        def output(factor):
            self.sway("output", OUTPUT, "resolution",
                      f"{SCREEN[0] * factor}x{SCREEN[1] * factor}", "scale", str(factor))
        output(scale)
        try:
            yield self
        finally:
            output(1)

    def refuse_activation(self, refuse):
        """sway as it comes, marking a window urgent instead of activating it; or as set up."""
        self.sway("focus_on_window_activation", "urgent" if refuse else "focus")

    def close_window(self, window):
        """What a player of sway does for a close box: the kill binding."""
        self.sway(f"[con_id={window}]", "kill")

    def activate(self, window):
        self.sway(f"[con_id={window}]", "focus")

