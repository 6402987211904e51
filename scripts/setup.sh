#!/usr/bin/env bash
# Installs what building and testing Tarnwick needs on Debian 12, skipping what is there.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-multimedia-dev libgl-dev libpng-dev libgtest-dev
          libbenchmark-dev
          fonts-dejavu-core
          # manual pages, and the install and package tests
          help2man desktop-file-utils appstream libxml2-utils shared-mime-info xdg-utils
          libfile-mimeinfo-perl dpkg-dev file lintian
          # the shells whose completion the tests drive in a terminal
          bash-completion zsh fish tmux
          # the desktops' thumbnail services that the thumbnailer tests ask over D-Bus
          tumbler dbus-daemon dbus-session-bus-common python3-gi gir1.2-gdkpixbuf-2.0
          gir1.2-gnomedesktop-4.0 bubblewrap
          # the pictures of the guide (scripts/screenshots.sh): a virtual display and its tools
          xvfb xauth openbox xdotool imagemagick)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
