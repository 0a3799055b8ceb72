#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the program needs.
# Safe to run again: packages already present are left as they are. Runs without questions.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config clang-format
  # Qt 6 and the QML modules the interface imports
  qt6-base-dev qt6-qpa-plugins qt6-declarative-dev qt6-multimedia-dev
  qml6-module-qtqml-workerscript qml6-module-qtquick qml6-module-qtquick-window
  qml6-module-qttest qml6-module-qtquick-controls qml6-module-qtquick-templates
  qml6-module-qtquick-layouts qml6-module-qtmultimedia
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  # keyboard access, device monitoring and key capture
  libhidapi-dev libudev-dev libx11-dev libxi-dev libxtst-dev
  # tests and screenshots
  xvfb xauth xdotool x11-apps imagemagick
  # r7ctl's test connects to the window as another user
  util-linux python3
  # validating the installed menu entry, AppStream metadata and manual page; the Debian package
  desktop-file-utils appstream dpkg-dev groff-base
  # compile-checks the Windows input hook
  g++-mingw-w64-x86-64
  # fonts: an Arial-compatible family and a CJK family
  fonts-liberation2 fonts-wqy-microhei
  # making the sounds
  sox libsox-fmt-mp3 lame bc
  # the libFuzzer harnesses (the fuzz preset)
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "bootstrap: these packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q </dev/null
  apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi
