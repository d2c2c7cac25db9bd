#!/usr/bin/env bash
# make bench: the editor against a bare Qt window, side by side in one run (start-up to "Ready"
# offscreen with Debug on and no requests: wall and CPU time, peak memory, medians of RUNS pairs
# and their ratios), then the data set's receive and send times over a pseudo terminal at 19200
# baud against the wire time plus TimerInterval, and the wake-ups while idle and while waiting.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/bin
folder=$root/build/bench
runs=${RUNS:-9}
source "$root/tools/editor-env.sh"
for f in zoz-bench bare-window qpl-sim Default.DAT; do
    [ -e "$bin/$f" ] || { echo "bench: $bin/$f is missing; build first (make build)" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
rm -rf "$folder"
mkdir -p "$folder"
cp "$bin/Default.DAT" "$folder/"
# The settings file as shipped; the port is a simulator's (the start-up opens it).
pids=()
trap stop_all EXIT
start_simulator "$folder"
write_settings "$root/resources/zozedud.Ini" "$folder/zozedud.Ini" "$device" \
    Debug=yes RequestData=no RequestStatus=no ShowMsgBox=no
program=$folder/zozedud

measure() { # one run: wall user sys peak-KiB
    /usr/bin/time -f '%e %U %S %M' -o "$folder/time.txt" "$@" >/dev/null 2>&1 ||
        { echo "bench: $* failed" >&2; exit 1; }
    cat "$folder/time.txt"
}
: >"$folder/pairs.txt"
measure "$bin/bare-window" >/dev/null # warm the file cache
measure "$bin/zoz-bench" editor "$program" >/dev/null
for _ in $(seq 1 "$runs"); do
    echo "$(measure "$bin/bare-window") $(measure "$bin/zoz-bench" editor "$program")" >>"$folder/pairs.txt"
done
python3 - "$folder/pairs.txt" <<'PY'
import statistics, sys
rows = [list(map(float, l.split())) for l in open(sys.argv[1]) if l.strip()]
med = lambda i: statistics.median(r[i] for r in rows)
ratio = lambda a, b: statistics.median(r[a] / r[b] for r in rows if r[b] > 0)
print(f"start-up, median of {len(rows)} side-by-side pairs (offscreen, to Ready, Debug on, no requests)")
print(f"{'':10} {'bare window':>12} {'editor':>10} {'ratio':>7}")
print(f"{'wall s':10} {med(0):12.3f} {med(4):10.3f} {ratio(4, 0):7.2f}")
print(f"{'cpu s':10} {med(1)+med(2):12.3f} {med(5)+med(6):10.3f} {statistics.median((r[5]+r[6])/max(r[1]+r[2],1e-3) for r in rows):7.2f}")
print(f"{'peak MiB':10} {med(3)/1024:12.1f} {med(7)/1024:10.1f} {ratio(7, 3):7.2f}")
PY
stop_all
pids=()
echo "link (19200 baud)"
"$bin/zoz-bench" link "$program" "$bin/qpl-sim"
