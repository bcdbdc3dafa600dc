#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and run, when they are missing, and those
# the desktop tests need: a virtual X server, two window managers and the tools that play there,
# and two headless Wayland compositors with their own tools (KWin's title bars come with Breeze, the
# description of its fake input with the Plasma protocols).
set -euo pipefail

packages=(cmake make g++ python3 qt6-base-dev qt6-svg-dev libqt6svg6 fonts-liberation
  desktop-file-utils appstream dpkg-dev libbenchmark-dev pkg-config libfontconfig-dev libxcb1-dev
  qt6-base-private-dev libwayland-dev libwayland-bin wayland-protocols "$@")
# Installed without what they merely recommend: the tests use a handful of their programs.
desktop_packages=(xvfb openbox icewm xdotool x11-utils imagemagick
  sway wayvnc grim qt6-wayland lintian kwin-wayland kwin-style-breeze plasma-wayland-protocols)

if ! command -v dpkg-query >/dev/null 2>&1; then
  echo "This system has no apt: please install CMake, a C++20 compiler, Qt 6 (Widgets, Svg, Test) and the Liberation fonts." >&2
  command -v cmake >/dev/null && command -v c++ >/dev/null || exit 1
  exit 0
fi

missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_desktop < <(missing_of "${desktop_packages[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#missing_desktop[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]} ${missing_desktop[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
export DEBIAN_FRONTEND=noninteractive
[ ${#missing[@]} -eq 0 ] || $sudo apt-get install -y -qq "${missing[@]}"
[ ${#missing_desktop[@]} -eq 0 ] || $sudo apt-get install -y -qq --no-install-recommends "${missing_desktop[@]}"
