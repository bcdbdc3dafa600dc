#!/usr/bin/env python3
"""Builds the game's Debian package with cpack, unpacks it and checks what it holds, what it says
of itself, and what Debian's own checker, lintian, finds in it."""

import argparse
import glob
import os
import re
import subprocess
import sys
import tempfile

from installed_files import missing_and_unexpected

INSTALL_PREFIX = "usr"
# The Qt libraries the game links, which dpkg-shlibdeps names, and Qt SVG, whose plugins draw the
# pictures at run time.
QT_PACKAGES = ("libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6svg6")
CONTROL_FIELDS = {"Package": "quirlon95", "Section": "games"}
# Without it Qt runs the game through XWayland on a Wayland desktop, if there is one.
RECOMMENDED = ("qt6-wayland",)


def fail(message):
    print(f"FAIL: {message}")
    return False


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, check=True, **kwargs).stdout


def build_package(cpack, config, out_dir):
    run([cpack, "--config", config, "-B", out_dir], timeout=300)
    debs = glob.glob(os.path.join(out_dir, "*.deb"))
    return debs[0] if len(debs) == 1 else None


def package_names(field):
    return {re.split(r"[ (]", entry.strip())[0] for entry in re.split(r"[,|]", field)}


def level_count(level_file):
    with open(level_file, encoding="latin-1") as f:
        return len(re.findall(r"^\s*\[\d+\]", f.read(), re.MULTILINE))


def check_description(deb, level_file):
    """The description names as many levels as the shipped level file holds."""
    description = run(["dpkg-deb", "--field", deb, "Description"])
    count = level_count(level_file)
    if f"{count} Levels" not in description:
        return fail(f"the description does not name the {count} levels:\n{description}")
    return True


def check_lintian(lintian, deb):
    """lintian finds no error and no warning."""
    result = subprocess.run([lintian, deb], capture_output=True, text=True, timeout=300)
    findings = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:")]
    print(f"lintian: {len(findings)} errors and warnings")
    if findings or result.returncode not in (0, 1) or "quirlon95" in result.stderr:
        return fail("lintian:\n" + "\n".join(findings) + result.stderr)
    return True


def check_control(deb):
    ok = True
    for field, expected in CONTROL_FIELDS.items():
        value = run(["dpkg-deb", "--field", deb, field]).strip()
        if value != expected:
            ok = fail(f"{field} is {value!r}, not {expected!r}")
    depends = run(["dpkg-deb", "--field", deb, "Depends"]).strip()
    print(f"Depends: {depends}")
    names = package_names(depends)
    for package in QT_PACKAGES:
        if package not in names:
            ok = fail(f"Depends lacks {package}")
    recommends = package_names(run(["dpkg-deb", "--field", deb, "Recommends"]))
    for package in RECOMMENDED:
        if package not in recommends:
            ok = fail(f"Recommends lacks {package}")
    return ok


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cpack", required=True)
    parser.add_argument("--config", required=True, help="the build's CPackConfig.cmake")
    parser.add_argument("--work", required=True, help="a folder for the package's temporary files")
    parser.add_argument("--app-id", required=True)
    parser.add_argument("--levels", required=True, help="the shipped level file")
    parser.add_argument("--lintian", help="lintian, where this machine has it")
    args = parser.parse_args()

    os.makedirs(args.work, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=args.work) as temp:
        try:
            deb = build_package(args.cpack, args.config, temp)
            if deb is None:
                return fail("cpack made no single .deb")
            print(f"Package: {os.path.basename(deb)}")
            root = os.path.join(temp, "root")
            run(["dpkg-deb", "-x", deb, root])
        except subprocess.CalledProcessError as error:
            return fail(f"{' '.join(error.cmd)}:\n{error.stdout}{error.stderr}")
        missing, unexpected = missing_and_unexpected(root, args.app_id, INSTALL_PREFIX)
        ok = True
        if missing or unexpected:
            ok = fail(f"package lacks {missing}, holds unexpected {unexpected}")
        ok = check_control(deb) and ok
        ok = check_description(deb, args.levels) and ok
        if args.lintian:
            ok = check_lintian(args.lintian, deb) and ok
        else:
            print("lintian: not installed, not run (tools/setup.sh installs it)")
        return ok


if __name__ == "__main__":
    sys.exit(0 if main() else 1)
