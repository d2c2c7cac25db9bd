#!/usr/bin/env bash
# make bench: the editor against a bare Qt window (empty, and with one line of text), side by side
# in one run (start-up to "Ready" offscreen with Debug on and no requests: wall and CPU time, peak
# memory, medians of RUNS rounds and their ratios), then the data set's receive and send times
# over a pseudo terminal at 19200 baud against the wire time plus TimerInterval, and the wake-ups
# while idle and while waiting, and the CPU time of 200 keys typed into a name box with the
# controller's data known (every key tracked and marked).
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
texted = [bare, "--text"]
for cmd in ([bare], texted, editor):  # warm the file cache
    measure(cmd)
rounds = [(measure([bare]), measure(texted), measure(editor)) for _ in range(runs)]
print(f"start-up, median of {runs} side-by-side rounds (offscreen, to Ready, Debug on, no requests)")
print("  bare: an empty main window; with text: the same with one line in its status bar (the")
print("  first text drawn starts the font machinery, which an empty window never does)")
print(f"{'':10} {'bare':>8} {'with text':>10} {'editor':>8} {'ratio':>7} {'to text':>8}")
for i, (name, form) in enumerate([("wall s", "{:8.3f} {:10.3f} {:8.3f}"),
                                  ("cpu s", "{:8.3f} {:10.3f} {:8.3f}"),
                                  ("peak MiB", "{:8.1f} {:10.1f} {:8.1f}")]):
    b, t, e = (statistics.median(r[k][i] for r in rounds) for k in range(3))
    rb, rt = (statistics.median(r[2][i] / r[k][i] for r in rounds if r[k][i] > 0) for k in (0, 1))
    print(f"{name:10} " + form.format(b, t, e) + f" {rb:7.2f} {rt:8.2f}")
PY
stop_all
pids=()
echo "link (19200 baud; pty, then the simulator's TCP socket)"
"$bin/zoz-bench" link "$program" "$bin/qpl-sim"
echo "typing (a name box, the controller's data known)"
"$bin/zoz-bench" typing "$program" "$bin/qpl-sim"
