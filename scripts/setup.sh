#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Safe to run again: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libqt6svg6 qt6-qpa-plugins
  libgtest-dev
  xvfb xauth x11-utils xdotool imagemagick fonts-dejavu-core locales poppler-utils
  # the program read as a screen reader reads it (tests/accessibility): the accessibility bus
  # in a session bus of its own, and its Python reader
  at-spi2-core dbus-daemon dbus-bin python3-pyatspi
  # pictures of every window under a window manager, in a dark palette too (screenshots.sh)
  openbox qt6ct
  # installing and packaging: the icon renderer, the entries' validators, manual pages, the .deb
  qt6-svg-dev desktop-file-utils appstream man-db groff-base dpkg-dev lintian
  # the clang builds: UBSan with float-to-int overflow, and the libFuzzer targets
  clang libclang-rt-14-dev
  # the formatting check (scripts/format.sh), clang-format 14
  clang-format
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests check that a decimal-comma locale changes none of the program's number texts.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
