#!/usr/bin/env bash
# make run: the editor connected to the controller simulator, from a run folder at the repository
# root (run/: the executable, the shipped settings file with [Comm] Port = the simulator's device,
# the default data file). Ending the editor stops the simulator. Without a display the editor runs
# under Xvfb and that screen is served by x11vnc on the loopback address only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/bin
run=$root/run
for f in zozedud qpl-sim Default.DAT; do
    [ -e "$bin/$f" ] || { echo "run: $bin/$f is missing; build first (make build)" >&2; exit 1; }
done

pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -p "$run"
# A copy, not a link: the program folder is the folder of the real executable.
cp -f "$bin/zozedud" "$run/zozedud"
cp -f "$bin/Default.DAT" "$run/Default.DAT"

# The simulator prints "PTY <device>" first; stdin stays open (its console) until we stop it.
simlog=$run/qpl-sim.log
: >"$simlog"
mkfifo "$run/.sim-stdin" 2>/dev/null || true
"$bin/qpl-sim" <"$run/.sim-stdin" >"$simlog" 2>&1 &
pids+=($!)
exec 9<>"$run/.sim-stdin"
rm -f "$run/.sim-stdin"
device=""
for _ in $(seq 1 100); do
    device=$(sed -n 's/^PTY //p' "$simlog" | head -n 1)
    [ -n "$device" ] && break
    sleep 0.05
done
[ -n "$device" ] || { echo "run: the simulator did not start:" >&2; cat "$simlog" >&2; exit 1; }
echo "run: controller simulator on $device"

# The shipped settings file with the simulator's device as port; [Screen] and [Recent] of the last
# run are kept.
python3 - "$root/resources/zozedud.Ini" "$run/zozedud.Ini" "$device" <<'PY'
import os, re, sys
shipped, target, device = sys.argv[1:4]
text = open(shipped, 'rb').read().decode('cp1252').replace('\r\n', '\n')
kept = ''
if os.path.exists(target):
    old = open(target, 'rb').read().decode('cp1252').replace('\r\n', '\n')
    for name in ('Screen', 'Recent'):
        m = re.search(r'^\[' + name + r'\]\n(?:[^\[].*\n?)*', old, re.M)
        if m:
            kept += '\n' + m.group(0).rstrip('\n') + '\n'
text = re.sub(r'^(\s*Port\s*=).*$', lambda m: m.group(1) + ' ' + device, text, count=1, flags=re.M)
open(target, 'wb').write((text.rstrip('\n') + '\n' + kept).replace('\n', '\r\n').encode('cp1252'))
PY

if [ -n "${DISPLAY:-}" ]; then
    "$run/zozedud"
    exit 0
fi

echo "run: no display (\$DISPLAY is empty): the editor runs under Xvfb, served by VNC on 127.0.0.1 only"
"$root/tools/install-deps.sh" xvfb x11vnc
display=:${ZOZ_XVFB_DISPLAY:-47}
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$run/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
port=${ZOZ_VNC_PORT:-5900}
x11vnc -display "$display" -localhost -rfbport "$port" -forever -shared -nopw -quiet \
    >"$run/x11vnc.log" 2>&1 &
pids+=($!)
cat <<TXT
run: connect a VNC viewer to 127.0.0.1:$port on this machine, e.g. vncviewer 127.0.0.1:$port
     from another machine through SSH: ssh -L $port:127.0.0.1:$port <this host>, then
     vncviewer 127.0.0.1:$port there. End the editor (or press Ctrl+C here) to stop everything.
TXT
DISPLAY=$display "$run/zozedud"
