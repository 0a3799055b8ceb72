#!/usr/bin/env bash
# Prints the time from launching the program to its first frame on screen and the program's
# resident memory once the start-up animation has ended (VmRSS, 3 s after the first frame),
# for several runs and their medians, under a virtual X display (one display for all runs).
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
  times=(); sizes=()
  for i in $(seq "$runs"); do
    report=$("$tool" --delay 3000 --started-at "$(date +%s%3N)" "$shot" 2>/dev/null)
    t=$(sed -n "s/^first frame: \([0-9]*\) ms$/\1/p" <<<"$report")
    m=$(sed -n "s/^resident memory: \([0-9]*\) kB$/\1/p" <<<"$report")
    echo "run $i: $t ms, $m kB resident"
    times+=("$t"); sizes+=("$m")
  done
  median() { sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
  echo "median first frame: $(printf "%s\n" "${times[@]}" | median) ms"
  echo "median resident memory: $(printf "%s\n" "${sizes[@]}" | median) kB"
' _ "$tool" "$shot" "$runs"
