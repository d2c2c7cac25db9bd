#!/usr/bin/env bash
# Screenshots of the running editor, connected to the controller simulator. Needs a build.
#   tools/screenshot.sh [main] [file]   docs/screenshots/main.png: the main window under Xvfb
#                                       after start-up has received the simulator's status and
#                                       data (results in the status bar, Names page)
#   tools/screenshot.sh first [file]    docs/screenshots/first-run.png: the whole virtual screen
#                                       as make run first shows it, from a fresh run folder
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${ZOZ_BIN_DIR:-$root/build/bin}
mode=${1:-main}
source "$root/tools/editor-env.sh"
for f in zozedud qpl-sim Default.DAT screen-grab; do
    [ -e "$bin/$f" ] || { echo "screenshot: $bin/$f is missing; build first" >&2; exit 1; }
done
"$root/tools/install-deps.sh"

work=$(mktemp -d)
pids=()
trap 'stop_all; rm -rf "$work"' EXIT
caption='ZozEdud Version'
private_runtime_dir

if [ "$mode" = first ]; then
    out=${2:-$root/docs/screenshots/first-run.png}
    env -u DISPLAY ZOZ_RUN_DIR="$work" setsid "$root/tools/run.sh" >"$work/out" 2>&1 </dev/null &
    pids+=($!)
    for _ in $(seq 1 600); do
        grep -q '^run: editor in' "$work/out" && break
        sleep 0.1
    done
    export DISPLAY=$(sed -n 's/^run: display \(:[0-9]*\);.*/\1/p' "$work/out")
    # The first result box (the status request's, titled with the program's name) over the
    # main window.
    timeout 30 xdotool search --sync --onlyvisible --name "$caption" >/dev/null 2>&1 || true
    timeout 30 xdotool search --sync --onlyvisible --name '^zozedud$' >/dev/null 2>&1 || true
    sleep 1
    read -r width height < <(xdotool getdisplaygeometry)
    mkdir -p "$(dirname "$out")"
    "$bin/screen-grab" "$out" 0 0 "$width" "$height"
    kill -INT -- "-${pids[0]}" # Ctrl+C: the editor ends the orderly way, run.sh stops the rest
    wait "${pids[0]}" || true
    pids=()
    echo "screenshot: $out"
    exit 0
fi

out=${2:-$root/docs/screenshots/main.png}
cp "$bin/zozedud" "$bin/Default.DAT" "$work/"
start_simulator "$work"
# Results in the status bar instead of boxes, so that start-up runs through unattended; the
# Names page (tab 2).
write_settings "$root/resources/zozedud.Ini" "$work/zozedud.Ini" "$device" ShowMsgBox=no \
    "[Recent]" "ActTabStrip=2"
start_xvfb "${ZOZ_XVFB_DISPLAY:-46}" 1024x768x24 "$work/xvfb.log"
export DISPLAY=$display
"$work/zozedud" >"$work/editor.log" 2>&1 &
pids+=($!)

# The data have arrived when the Names page shows the simulator's names (after the splash's 5 s
# and the two exchanges); the log tells.
for _ in $(seq 1 300); do
    grep -q -a -e 'Daten vom QPL empfangen' -e 'Data received' "$work"/zozedud-*.Log 2>/dev/null && break
    sleep 0.1
done
sleep 1
window=$(xdotool search --onlyvisible --name "$caption" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
"$bin/screen-grab" "$out" "$X" "$Y" "$WIDTH" "$HEIGHT"
echo "screenshot: $out"
