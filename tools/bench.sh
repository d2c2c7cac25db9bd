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

python3 - "$runs" "$bin/bare-window" "$bin/zoz-bench" "$program" <<'PY'
import os, statistics, subprocess, sys, time
runs, bare, bench, program = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
def measure(cmd):  # wall s, cpu s, peak MiB of one run, from the kernel's accounting
    start = time.perf_counter()
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"bench: {cmd} failed ({status})")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024
editor = [bench, "editor", program]
measure([bare]); measure(editor)  # warm the file cache
pairs = [(measure([bare]), measure(editor)) for _ in range(runs)]
print(f"start-up, median of {runs} side-by-side pairs (offscreen, to Ready, Debug on, no requests)")
print(f"{'':10} {'bare window':>12} {'editor':>10} {'ratio':>7}")
for i, (name, form) in enumerate([("wall s", "{:12.3f} {:10.3f}"), ("cpu s", "{:12.3f} {:10.3f}"),
                                  ("peak MiB", "{:12.1f} {:10.1f}")]):
    b = statistics.median(p[0][i] for p in pairs)
    e = statistics.median(p[1][i] for p in pairs)
    r = statistics.median(p[1][i] / p[0][i] for p in pairs if p[0][i] > 0)
    print(f"{name:10} " + form.format(b, e) + f" {r:7.2f}")
PY
stop_all
pids=()
echo "link (19200 baud)"
"$bin/zoz-bench" link "$program" "$bin/qpl-sim"
