#!/usr/bin/env bash
# Takes docs/screenshots/main.png: the editor under Xvfb, connected to the controller simulator,
# after start-up has received the simulator's status and data. Needs a build (make build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/bin
out=${1:-$root/docs/screenshots/main.png}
for f in zozedud qpl-sim Default.DAT screen-grab; do
    [ -e "$bin/$f" ] || { echo "screenshot: $bin/$f is missing; build first" >&2; exit 1; }
done
"$root/tools/install-deps.sh" xvfb

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

cp "$bin/zozedud" "$bin/Default.DAT" "$work/"
mkfifo "$work/sim-stdin"
"$bin/qpl-sim" --status "QPL 418" --status "Firmware" --status "V2.0 build 7" \
    <"$work/sim-stdin" >"$work/sim.log" 2>&1 &
pids+=($!)
exec 9<>"$work/sim-stdin"
device=""
for _ in $(seq 1 100); do
    device=$(sed -n 's/^PTY //p' "$work/sim.log" | head -n 1)
    [ -n "$device" ] && break
    sleep 0.05
done
[ -n "$device" ] || { echo "screenshot: the simulator did not start" >&2; exit 1; }

# The window at the top left corner, 480 pixels (7200 twips) high, showing the Names page (tab 2).
python3 - "$root/resources/zozedud.Ini" "$work/zozedud.Ini" "$device" <<'PY'
import re, sys
shipped, target, device = sys.argv[1:4]
text = open(shipped, 'rb').read().decode('cp1252').replace('\r\n', '\n')
text = re.sub(r'^(\s*Port\s*=).*$', lambda m: m.group(1) + ' ' + device, text, count=1, flags=re.M)
# Results in the status bar instead of boxes, so that start-up runs through unattended.
text = re.sub(r'^(\s*ShowMsgBox\s*=).*$', lambda m: m.group(1) + ' no', text, count=1, flags=re.M)
text += '\n[Screen]\nCoord_X=0\nCoord_Y=0\nCoord_H=7200\n[Recent]\nActTabStrip=2\n'
open(target, 'wb').write(text.replace('\n', '\r\n').encode('cp1252'))
PY

display=:${ZOZ_XVFB_DISPLAY:-46}
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
DISPLAY=$display "$work/zozedud" >"$work/editor.log" 2>&1 &
pids+=($!)

# Start-up ends with the ready text in the log (after the splash's 5 s and the two exchanges).
log() { cat "$work"/zozedud-*.Log 2>/dev/null || true; }
for _ in $(seq 1 300); do
    log | grep -q -e 'Bereit' -e 'Ready' && break
    sleep 0.1
done
sleep 1
mkdir -p "$(dirname "$out")"
DISPLAY=$display "$bin/screen-grab" "$out" 0 0 625 480
echo "screenshot: $out"
