#!/usr/bin/env bash
# Start-up time and resident memory of a program against the floor (the smallest Qt Quick
# window, floor.cpp), measured the same way, alternating, under one Xvfb:
#   milliseconds from exec until a top-level window of the process is viewable (mapped),
#   then its VmRSS 2 s later (mapwait.c).
# Usage: startup-vs-floor.sh PROGRAM [RUNS]    (extra environment, e.g. R7_VIRTUAL_KEYBOARD=1,
#        passes through; QT_QUICK_BACKEND applies to both programs alike)
# Prints each run, the medians and the two ratios program / floor.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prog=$(readlink -f "${1:?program}"); runs=${2:-7}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
gcc -O2 -o "$work/mapwait" "$here/floor/mapwait.c" -lX11
g++ -O2 -fPIC -o "$work/floor" "$here/floor/floor.cpp" $(pkg-config --cflags --libs Qt6QuickWidgets Qt6Quick Qt6Qml Qt6Widgets)
export FLOOR_QML="$here/floor/floor.qml"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  w="$1"; prog="$2"; runs="$3"
  for i in $(seq "$runs"); do
    echo "floor $("$w/mapwait" "$w/floor" 2>/dev/null | tail -n 1)"
    echo "program $("$w/mapwait" "$prog" 2>/dev/null | tail -n 1)"
  done' _ "$work" "$prog" "$runs" | tee "$work/runs"
med() { grep "^$1 " "$work/runs" | awk -v f="$2" "{print \$f}" | sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
ft=$(med floor 3); fm=$(med floor 5); pt=$(med program 3); pm=$(med program 5)
echo "median floor: $ft ms, $fm kB; program: $pt ms, $pm kB"
awk -v a="$pt" -v b="$ft" -v c="$pm" -v d="$fm" 'BEGIN {printf "program / floor: time %.2f, memory %.2f\n", a / b, c / d}'
