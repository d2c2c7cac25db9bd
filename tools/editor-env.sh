# Shared by tools/run.sh and tools/screenshot.sh (sourced): the simulator on a pseudo terminal,
# the editor's settings file pointed at it, a virtual screen with a window manager and VNC.
# Both expect $bin and an array pids for their clean-up. The helpers run in sessions of their own
# (setsid), so that a Ctrl+C in the terminal reaches only the editor, which then ends the orderly
# way while its screen and its port are still there; stop_all ends the helpers afterwards.
runtime_dirs=()

# start_simulator <folder> [qpl-sim options...]: starts qpl-sim with its console on a pipe that
# stays open, output in <folder>/qpl-sim.log; sets device to its pseudo terminal.
start_simulator() {
    local folder=$1
    shift
    local log=$folder/qpl-sim.log
    : >"$log"
    # Its input is a pipe held open here (fd 9), so that it never sees the end of its input.
    mkfifo "$folder/.sim-stdin"
    exec 9<>"$folder/.sim-stdin"
    rm -f "$folder/.sim-stdin"
    setsid "$bin/qpl-sim" "$@" <&9 >"$log" 2>&1 &
    pids+=($!)
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

# set_port <shipped> <target> <device>: the target settings file is the shipped one when it does
# not exist yet; then only [Comm] Port changes, every other line (and each edit) stays as it is.
set_port() {
    [ -e "$2" ] || cp "$1" "$2"
    python3 - "$2" "$3" <<'PY'
import re, sys
target, device = sys.argv[1], sys.argv[2]
text = open(target, 'rb').read().decode('cp1252')
nl = '\r\n'
section = re.search(r'^[ \t]*\[[ \t]*Comm[ \t]*\][^\n]*\n?', text, re.M | re.I)
if not section:
    text = text.rstrip('\r\n') + nl + nl + '[Comm]' + nl + 'Port=' + device + nl
else:
    end = re.search(r'^[ \t]*\[', text[section.end():], re.M)
    body_end = section.end() + (end.start() if end else len(text) - section.end())
    body = text[section.end():body_end]
    entry = re.compile(r'^([ \t]*Port[ \t]*=)[^\r\n]*', re.M | re.I)
    if entry.search(body):
        body = entry.sub(lambda m: m.group(1) + ' ' + device, body, count=1)
    else:
        body = 'Port=' + device + nl + body
    text = text[:section.end()] + body + text[body_end:]
open(target, 'wb').write(text.encode('cp1252'))
PY
}

# start_xvfb <first display number> <geometry> <log>: a virtual screen on the first free display
# from the given number on; sets display (":47"). Ready when a client can connect.
start_xvfb() {
    local n pid
    for n in $(seq "$1" $(($1 + 50))); do
        # In use when its lock names a live process; Xvfb itself clears a stale lock.
        [ -e "/tmp/.X$n-lock" ] && kill -0 "$(tr -dc 0-9 <"/tmp/.X$n-lock")" 2>/dev/null && continue
        setsid Xvfb ":$n" -screen 0 "$2" -nolisten tcp >"$3" 2>&1 &
        pid=$!
        for _ in $(seq 1 100); do
            # Ours only when its lock names our Xvfb: another starter may serve this number.
            if [ "$(tr -dc 0-9 <"/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ] &&
                DISPLAY=:$n xdotool getdisplaygeometry >/dev/null 2>&1; then
                pids+=("$pid")
                display=:$n
                return 0
            fi
            kill -0 "$pid" 2>/dev/null || break # taken meanwhile: try the next number
            sleep 0.05
        done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    echo "no free display from :$1 on (Xvfb's output: $3)" >&2
    return 1
}

# start_window_manager <display> <log>: openbox, so that windows can be moved and resized.
start_window_manager() {
    DISPLAY=$1 setsid openbox --sm-disable >"$2" 2>&1 &
    pids+=($!)
}

# start_vnc <display> <first port> <log>: x11vnc on the first free port from the given one on,
# listening on 127.0.0.1 and ::1 only; sets vnc_port to the port it really listens on.
start_vnc() {
    : >"$3" # before the start, so that the search below never misses the file
    setsid x11vnc -display "$1" -localhost -listen6 ::1 -autoport "$2" -forever -shared -nopw \
        -quiet >"$3" 2>&1 &
    pids+=($!)
    local pid=$!
    vnc_port=""
    for _ in $(seq 1 200); do
        vnc_port=$(sed -n 's/^PORT=\([0-9][0-9]*\)$/\1/p' "$3" | head -n 1)
        [ -n "$vnc_port" ] && return 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    echo "x11vnc did not start:" >&2
    cat "$3" >&2
    return 1
}

# private_runtime_dir: a runtime folder (mode 0700) for the editor when the session has none of
# its own, so that Qt does not warn; removed by stop_all.
private_runtime_dir() {
    if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -O "$XDG_RUNTIME_DIR" ]; then
        XDG_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zozedud-runtime.XXXXXX")
        export XDG_RUNTIME_DIR
        runtime_dirs+=("$XDG_RUNTIME_DIR")
    fi
}

# stop_all: ends the helpers in the reverse order of their start, each before the next, and
# removes private runtime folders.
stop_all() {
    local i pid
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    for pid in "${runtime_dirs[@]}"; do rm -rf "$pid"; done
}
