#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and run, when they are missing.
set -euo pipefail

packages=(cmake make g++ python3 qt6-base-dev qt6-svg-dev libqt6svg6 fonts-liberation
  desktop-file-utils appstream dpkg-dev libbenchmark-dev "$@")

missing=()
if command -v dpkg-query >/dev/null 2>&1; then
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
else
  echo "This system has no apt: please install CMake, a C++20 compiler, Qt 6 (Widgets, Svg, Test) and the Liberation fonts." >&2
  command -v cmake >/dev/null && command -v c++ >/dev/null || exit 1
  exit 0
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
