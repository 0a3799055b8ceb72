#!/usr/bin/env bash
# Where the start-up's time goes: the program's own steps ("r7.startup" lines, stamped with the
# monotonic clock), what a person sees (paintwait: mapped, first content, settled) and its
# memory, each from the launch, medians of RUNS runs under one Xvfb with the virtual keyboard.
# Then the intervals between the frames drawn from the start of the opening animation until
# the interface is complete (while its last parts are made), and until the window settles.
# Usage: tools/startup-breakdown.sh [PROGRAM] [RUNS]    (default build/bin/R7Configurator, 7)
#   R7_ANIMATIONS=reduced   runs with the setting "animated: off" (a copy of the program's
#                           folder with that setting stored)
#   QT_QUICK_BACKEND        passes through; the program's own default is the software renderer
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prog=$(readlink -f "${1:-$here/../build/bin/R7Configurator}"); runs=${2:-7}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
gcc -O2 -o "$work/paintwait" "$here/floor/paintwait.c" -lX11
# Stamps the moment of the launch on the clock the program's lines use, then becomes it.
cat > "$work/stamp.c" <<'EOF'
#include <stdio.h>
#include <time.h>
#include <unistd.h>
int main(int argc, char **argv)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    fprintf(stderr, "%ld.%06ld r7.startup launch\n", (long)t.tv_sec, t.tv_nsec / 1000);
    if (argc > 1)
        execvp(argv[1], argv + 1);
    return 127;
}
EOF
gcc -O2 -o "$work/stamp" "$work/stamp.c"

if [ "${R7_ANIMATIONS:-normal}" = reduced ]; then
  mkdir "$work/bin"
  cp "$prog" "$work/bin/"
  cp -r "$(dirname "$prog")/modules" "$work/bin/"
  # The sound library, where the program looks for it.
  [ -d "$(dirname "$prog")/../lib" ] && cp -r "$(dirname "$prog")/../lib" "$work/"
  sed -i 's/^3=.*/3=1/' "$work/bin/modules/setting/apConfig.bin"
  prog="$work/bin/$(basename "$prog")"
fi

export R7_VIRTUAL_KEYBOARD=1 QT_LOGGING_RULES="r7.*.info=false;r7.startup.debug=true"
export QT_MESSAGE_PATTERN="%{time boot} %{category} %{message}"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  w="$1"; prog="$2"; runs="$3"
  for i in $(seq "$runs"); do
    "$w/paintwait" "$w/stamp" "$prog" > "$w/run$i.seen" 2> "$w/run$i.log" || true
  done' _ "$work" "$prog" "$runs"

python3 - "$work" "$runs" <<'EOF'
import re, statistics, sys

work, runs = sys.argv[1], int(sys.argv[2])
order, at, took, gaps_making, gaps_opening, seen = [], {}, {}, [], [], {}

def note(table, key, value):
    table.setdefault(key, []).append(value)
    if key not in order and table is at:
        order.append(key)

for i in range(1, runs + 1):
    lines = []
    for line in open(f"{work}/run{i}.log", errors="replace"):
        m = re.match(r"\s*(\d+\.\d+) r7\.startup (.*)", line)
        if m:
            lines.append((float(m.group(1)) * 1000, m.group(2).strip()))
    launch = next((t for t, text in lines if text == "launch"), None)
    result = open(f"{work}/run{i}.seen").read().split()
    values = dict(zip(result[::2], result[1::2]))
    if launch is None or "content_ms" not in values:
        print(f"run {i}: no figures", file=sys.stderr)
        continue
    for key in ("mapped_ms", "content_ms", "settled_ms", "rss_kb"):
        seen.setdefault(key, []).append(float(values[key]))
    frames, step = [], None
    opening = complete = None
    for t, text in lines:
        t -= launch
        if text == "frame":
            frames.append(t)
        elif text.startswith("step ") and text != "step done":
            step = (text[5:], t)
        elif text == "step done" and step:
            note(took, step[0], t - step[1])
            step = None
        elif text != "launch":
            note(at, text, t)
            if text == "opening animation":
                opening = t
            elif text == "interface complete":
                complete = t
    if opening is None:
        continue
    settled = float(values["settled_ms"])
    shown = [t for t in frames if t >= opening]
    for a, b in zip(shown, shown[1:]):
        if complete is not None and b <= complete:
            gaps_making.append(b - a)
        if b <= settled:
            gaps_opening.append(b - a)

med = statistics.median
print(f"medians of {runs} runs, milliseconds from the launch")
for key in order:
    print(f"  {med(at[key]):7.1f}  {key}")
    if key == "opening animation":
        print(f"  {med(seen['mapped_ms']):7.1f}  (seen) window mapped")
for name, values in took.items():
    print(f"           step {name}: {med(values):.1f} ms")
print(f"  {med(seen['content_ms']):7.1f}  (seen) first content")
print(f"  {med(seen['settled_ms']):7.1f}  (seen) settled")
print(f"  resident {med(seen['rss_kb']) / 1024:.1f} MB")

def spread(name, gaps):
    if not gaps:
        print(f"frame intervals {name}: none")
        return
    gaps = sorted(gaps)
    p95 = gaps[min(len(gaps) - 1, int(0.95 * len(gaps)))]
    print(f"frame intervals {name}: {len(gaps)}, median {med(gaps):.1f} ms, "
          f"p95 {p95:.1f} ms, longest {gaps[-1]:.1f} ms")

spread("while the interface is made", gaps_making)
spread("over the opening animation", gaps_opening)
EOF
