#!/usr/bin/env bash
# Takes a picture of the program's window under a virtual X display.
#   tools/screenshot.sh [file.png] [R7Screenshot options]   against the virtual keyboard
#   R7_VIRTUAL_KEYBOARD=0 tools/screenshot.sh ...           against whatever keyboard is plugged in
# R7_SCREENSHOT_PLATFORM=offscreen renders without X. Options such as --delay 500 or
# --eval "upItem.btnClicked(0)" go to build/bin/R7Screenshot (see tools/screenshot.cpp).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-r7-window.png}")"
shift || true
export R7_VIRTUAL_KEYBOARD="${R7_VIRTUAL_KEYBOARD:-1}"
tool="$root/build/bin/R7Screenshot"
[ -x "$tool" ] || cmake --build "$root/build" --target R7Screenshot
mkdir -p "$(dirname "$out")"
if [ "${R7_SCREENSHOT_PLATFORM:-xcb}" = offscreen ]; then
  QT_QPA_PLATFORM=offscreen "$tool" "$@" "$out"
else
  xvfb-run -a -s "-screen 0 1280x800x24" "$tool" "$@" "$out"
fi
