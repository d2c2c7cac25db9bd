# Shared by tools/run.sh and tools/screenshot.sh (sourced): the simulator on a pseudo terminal and
# the editor's settings file pointed at it. Both expect $bin and an array pids for their clean-up.

# start_simulator <folder> [qpl-sim options...]: starts qpl-sim with its console on a pipe that
# stays open, output in <folder>/qpl-sim.log; sets device to its pseudo terminal.
start_simulator() {
    local folder=$1
    shift
    local log=$folder/qpl-sim.log
    : >"$log"
    mkfifo "$folder/.sim-stdin"
    "$bin/qpl-sim" "$@" <"$folder/.sim-stdin" >"$log" 2>&1 &
    pids+=($!)
    exec 9<>"$folder/.sim-stdin"
    device=""
    for _ in $(seq 1 100); do
        device=$(sed -n 's/^PTY //p' "$log" | head -n 1)
        # The simulator has opened its end of the pipe by now: the name can go.
        [ -n "$device" ] && rm -f "$folder/.sim-stdin" && return 0
        sleep 0.05
    done
    rm -f "$folder/.sim-stdin"
    echo "the simulator did not start:" >&2
    cat "$log" >&2
    return 1
}

# write_settings <shipped> <target> <device> [key=value | [Section] ...]: the shipped settings file
# with [Comm] Port = device and [Main] keys replaced; [Section] lines and the entries after them
# are appended as written. [Screen] and [Recent] of an existing target are kept.
write_settings() {
    python3 - "$@" <<'PY'
import os, re, sys
shipped, target, device, extra = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
text = open(shipped, 'rb').read().decode('cp1252').replace('\r\n', '\n')
def put(text, key, value):
    return re.sub(r'^(\s*' + re.escape(key) + r'\s*=).*$', lambda m: m.group(1) + ' ' + value,
                  text, count=1, flags=re.M)
text = put(text, 'Port', device)
appended = ''
for item in extra:
    if item.startswith('[') or appended:
        appended += item + '\n'
    else:
        key, value = item.split('=', 1)
        text = put(text, key, value)
kept = ''
if os.path.exists(target) and not appended:
    old = open(target, 'rb').read().decode('cp1252').replace('\r\n', '\n')
    for name in ('Screen', 'Recent'):
        m = re.search(r'^\[' + name + r'\]\n(?:[^\[].*\n?)*', old, re.M)
        if m:
            kept += '\n' + m.group(0).rstrip('\n') + '\n'
text = text.rstrip('\n') + '\n' + kept + appended
open(target, 'wb').write(text.replace('\n', '\r\n').encode('cp1252'))
PY
}

# start_xvfb <display> <geometry> <log>: a virtual screen, ready when its socket exists.
start_xvfb() {
    Xvfb "$1" -screen 0 "$2" -nolisten tcp >"$3" 2>&1 &
    pids+=($!)
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X${1#:}" ] && return 0
        sleep 0.05
    done
    echo "Xvfb $1 did not start" >&2
    return 1
}

stop_all() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
