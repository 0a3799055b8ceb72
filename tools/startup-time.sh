#!/usr/bin/env bash
# Prints the time from launching the program to its first frame on screen, for several runs
# and their median, under a virtual X display (one display for all runs).
#   tools/startup-time.sh [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-7}"
export R7_VIRTUAL_KEYBOARD="${R7_VIRTUAL_KEYBOARD:-1}"
tool="$root/build/bin/R7Screenshot"
[ -x "$tool" ] || cmake --build "$root/build" --target R7Screenshot
shot="$(mktemp --suffix=.png)"
trap 'rm -f "$shot"' EXIT
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  tool="$1"; shot="$2"; runs="$3"
  times=()
  for i in $(seq "$runs"); do
    t=$("$tool" --delay 0 --started-at "$(date +%s%3N)" "$shot" | sed -n "s/^first frame: \([0-9]*\) ms$/\1/p")
    echo "run $i: $t ms"
    times+=("$t")
  done
  printf "%s\n" "${times[@]}" | sort -n | awk "{a[NR]=\$1} END {print \"median: \" a[int((NR+1)/2)] \" ms\"}"
' _ "$tool" "$shot" "$runs"
