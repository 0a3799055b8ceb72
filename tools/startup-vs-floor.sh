#!/usr/bin/env bash
# Start-up time and resident memory of a program against the floor (the smallest Qt Quick
# window, floor.cpp), measured the same way, alternating, under one Xvfb (paintwait.c):
#   mapped:  milliseconds from exec until a top-level window of the process is viewable;
#   content: until that window first shows content (over a quarter of its pixels differ from a
#            blank fill) - what a person sees as "the window is there";
#   settled: until no pixel has changed for 600 ms (the end of any opening animation);
#   then its VmRSS.
# Usage: startup-vs-floor.sh PROGRAM [RUNS]    (extra environment, e.g. R7_VIRTUAL_KEYBOARD=1,
#        passes through; QT_QUICK_BACKEND applies to both programs alike)
# Prints each run, the medians and the ratios program / floor.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prog=$(readlink -f "${1:?program}"); runs=${2:-7}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
gcc -O2 -o "$work/paintwait" "$here/floor/paintwait.c" -lX11
g++ -O2 -fPIC -o "$work/floor" "$here/floor/floor.cpp" $(pkg-config --cflags --libs Qt6QuickWidgets Qt6Quick Qt6Qml Qt6Widgets)
export FLOOR_QML="$here/floor/floor.qml"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  w="$1"; prog="$2"; runs="$3"
  for i in $(seq "$runs"); do
    echo "floor $("$w/paintwait" "$w/floor" 2>/dev/null | tail -n 1)"
    echo "program $("$w/paintwait" "$prog" 2>/dev/null | tail -n 1)"
  done' _ "$work" "$prog" "$runs" | tee "$work/runs"
med() { grep "^$1 " "$work/runs" | awk -v f="$2" "{print \$f}" | sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
for who in floor program; do
  echo "median $who: mapped $(med $who 3) ms, content $(med $who 5) ms, settled $(med $who 7) ms, $(med $who 9) kB"
done
awk -v a="$(med program 5)" -v b="$(med floor 5)" -v c="$(med program 9)" -v d="$(med floor 9)" -v e="$(med program 3)" -v f="$(med floor 3)" \
  'BEGIN {printf "program / floor: content %.2f, memory %.2f (mapped %.2f)\n", a / b, c / d, e / f}'
