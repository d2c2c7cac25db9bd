#!/usr/bin/env bash
# Takes docs/screenshots/main.png: the editor under Xvfb, connected to the controller simulator,
# after start-up has received the simulator's status and data. Needs a build (make build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/bin
out=${1:-$root/docs/screenshots/main.png}
source "$root/tools/editor-env.sh"
for f in zozedud qpl-sim Default.DAT screen-grab; do
    [ -e "$bin/$f" ] || { echo "screenshot: $bin/$f is missing; build first" >&2; exit 1; }
done
"$root/tools/install-deps.sh" xvfb

work=$(mktemp -d)
pids=()
trap 'stop_all; rm -rf "$work"' EXIT

cp "$bin/zozedud" "$bin/Default.DAT" "$work/"
start_simulator "$work"
# Results in the status bar instead of boxes, so that start-up runs through unattended; the
# window at the top left corner, 480 pixels (7200 twips) high, showing the Names page (tab 2).
write_settings "$root/resources/zozedud.Ini" "$work/zozedud.Ini" "$device" ShowMsgBox=no \
    "[Screen]" "Coord_X=0" "Coord_Y=0" "Coord_H=7200" "[Recent]" "ActTabStrip=2"

display=:${ZOZ_XVFB_DISPLAY:-46}
start_xvfb "$display" 800x600x24 "$work/xvfb.log"
DISPLAY=$display "$work/zozedud" >"$work/editor.log" 2>&1 &
pids+=($!)

# The data have arrived when the Names page shows the simulator's names (after the splash's 5 s
# and the two exchanges); the log tells.
for _ in $(seq 1 300); do
    grep -q -a -e 'Daten vom QPL empfangen' -e 'Data received' "$work"/zozedud-*.Log 2>/dev/null && break
    sleep 0.1
done
sleep 1
mkdir -p "$(dirname "$out")"
DISPLAY=$display "$bin/screen-grab" "$out" 0 0 625 480
echo "screenshot: $out"
