#!/usr/bin/env bash
# make run: the editor connected to the controller simulator, from a run folder at the repository
# root (run/, or $ZOZ_RUN_DIR: the executable, the default data file, and zozedud.Ini: copied
# from the shipped file only when absent; each run sets just its [Comm] Port to the simulator's
# device). Without a display the editor runs under Xvfb with openbox, served by x11vnc on the
# loopback addresses only, on the first free display from :47 and port from 5900 on.
# Ctrl+C (SIGINT) or SIGTERM ends the editor the orderly way, then the helpers stop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${ZOZ_BIN_DIR:-$root/build/bin}
run=${ZOZ_RUN_DIR:-$root/run}
source "$root/tools/editor-env.sh"
for f in zozedud qpl-sim Default.DAT; do
    [ -e "$bin/$f" ] || { echo "run: $bin/$f is missing; build first (make build)" >&2; exit 1; }
done

pids=()
editor=""
# The editor ends itself on SIGINT/SIGTERM; a signal to this script is passed on to it, a third
# one kills it. Before the editor runs, a signal ends the script (and the helpers started so far).
signals=0
end_editor() {
    [ -n "$editor" ] || exit 130
    signals=$((signals + 1))
    if [ "$signals" -ge 3 ]; then kill -KILL "$editor" 2>/dev/null || true; else kill -TERM "$editor" 2>/dev/null || true; fi
}
trap stop_all EXIT
trap end_editor INT TERM

mkdir -p "$run"
# A copy, not a link: the program folder is the folder of the real executable.
cp -f "$bin/zozedud" "$bin/Default.DAT" "$run/"

if [ -z "${DISPLAY:-}" ]; then
    echo "run: no display (\$DISPLAY is empty): the editor runs under Xvfb, served by VNC on the loopback addresses only"
    "$root/tools/install-deps.sh" xvfb x11vnc openbox xdotool
    start_xvfb "${ZOZ_XVFB_DISPLAY:-47}" 1024x768x24 "$run/xvfb.log"
    start_vnc "$display" "${ZOZ_VNC_PORT:-5900}" "$run/x11vnc.log"
    start_window_manager "$display" "$run/openbox.log"
    export DISPLAY=$display
    cat <<TXT
run: display $display; connect a VNC viewer to 127.0.0.1:$vnc_port (or [::1]:$vnc_port) on this
     machine, e.g. vncviewer 127.0.0.1:$vnc_port; from another machine through SSH:
     ssh -L $vnc_port:127.0.0.1:$vnc_port <this host>, then vncviewer 127.0.0.1:$vnc_port there.
TXT
fi

start_simulator "$run"
echo "run: controller simulator on $device (its console output: $run/qpl-sim.log)"
set_port "$root/resources/zozedud.Ini" "$run/zozedud.Ini" "$device"
private_runtime_dir
echo "run: editor in $run; end it, or press Ctrl+C here, to stop everything"
"$run/zozedud" &
editor=$!
# wait returns early when a trapped signal arrives; the editor may still be ending then.
set +e
while wait "$editor"; status=$?; kill -0 "$editor" 2>/dev/null; do :; done
exit "$status"
