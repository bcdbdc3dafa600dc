"""What an install of the game holds, relative to its prefix, for the install and package tests."""

import os

ICON_SIZES = (48, 64, 128, 256)
LEVEL_FILE = "share/quirlon95/328lvd.ini"
PROGRAMS = ("quirlon95", "quirlon95-editor", "quirlon95-levels")
# Debian keeps games apart from other programs.
PROGRAM_DIR = "games"
BINARY = f"{PROGRAM_DIR}/quirlon95"


def png_icon(app_id, size):
    return f"share/icons/hicolor/{size}x{size}/apps/{app_id}.png"


def desktop_ids(app_id):
    """The ids of the game and of its level editor, each with a desktop entry and an icon."""
    return [app_id, f"{app_id}.Editor"]


def expected_files(app_id):
    files = [LEVEL_FILE, f"share/metainfo/{app_id}.metainfo.xml",
             "share/doc/quirlon95/changelog.gz", "share/doc/quirlon95/copyright"]
    for program in PROGRAMS:
        files += [f"{PROGRAM_DIR}/{program}", f"share/man/man6/{program}.6.gz"]
    for program in desktop_ids(app_id):
        files += [f"share/applications/{program}.desktop",
                  f"share/icons/hicolor/scalable/apps/{program}.svg"]
        files += [png_icon(program, size) for size in ICON_SIZES]
    return sorted(files)


def files_below(root):
    """Every file below root, relative to it, sorted."""
    found = []
    for folder, _, names in os.walk(root):
        found += [os.path.relpath(os.path.join(folder, name), root) for name in names]
    return sorted(found)


def missing_and_unexpected(root, app_id, prefix=""):
    """The expected files root lacks, and the files it has that no one expects; with prefix, the
    install lies in that folder below root."""
    expected = {os.path.join(prefix, name) for name in expected_files(app_id)}
    present = set(files_below(root))
    return sorted(expected - present), sorted(present - expected)
