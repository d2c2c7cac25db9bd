#!/usr/bin/env bash
# make run: the editor connected to the controller simulator, from a run folder at the repository
# root (run/: the executable, the shipped settings file with [Comm] Port = the simulator's device,
# the default data file). Ending the editor stops the simulator. Without a display the editor runs
# under Xvfb and that screen is served by x11vnc on the loopback address only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/bin
run=$root/run
source "$root/tools/editor-env.sh"
for f in zozedud qpl-sim Default.DAT; do
    [ -e "$bin/$f" ] || { echo "run: $bin/$f is missing; build first (make build)" >&2; exit 1; }
done

pids=()
trap stop_all EXIT
trap 'exit 130' INT TERM

mkdir -p "$run"
# A copy, not a link: the program folder is the folder of the real executable.
cp -f "$bin/zozedud" "$bin/Default.DAT" "$run/"
start_simulator "$run"
echo "run: controller simulator on $device (its console output: run/qpl-sim.log)"
write_settings "$root/resources/zozedud.Ini" "$run/zozedud.Ini" "$device"

if [ -n "${DISPLAY:-}" ]; then
    "$run/zozedud"
    exit 0
fi

echo "run: no display (\$DISPLAY is empty): the editor runs under Xvfb, served by VNC on 127.0.0.1 only"
"$root/tools/install-deps.sh" xvfb x11vnc
display=:${ZOZ_XVFB_DISPLAY:-47}
start_xvfb "$display" 1024x768x24 "$run/xvfb.log"
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
