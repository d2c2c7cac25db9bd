#!/usr/bin/env bash
# make run end to end, headless: tools/run.sh with a temporary run folder; the editor's window
# must appear at the shipped [Screen] height, its frame included; a Ctrl+C to the whole process group must end the
# editor the orderly way (end lines in the log, [Screen] written, the user's edit kept, Port set
# to the simulator) and stop every helper (display and VNC port free again).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
group=""
# On a failure run.sh gets SIGTERM, so that it still stops its helpers; when it does not end in
# 10 s, its group and its helpers (children in sessions of their own) are killed.
cleanup() {
    if [ -n "$group" ]; then
        local helpers
        helpers=$(pgrep -P "$group" | tr '\n' ' ')
        kill -TERM "$group" 2>/dev/null
        if ! until_ok 10 eval '! kill -0 "$group"'; then
            kill -KILL -- "-$group" $helpers 2>/dev/null
        fi
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    sed 's/^/  run.sh: /' "$work/out" >&2
    tail -n 5 "$work"/zozedud-*.Log 2>/dev/null | tr -d '\r' | sed 's/^/  log: /' >&2
    exit 1
}
# until <seconds> <command...>: retries the command every 0.1 s.
until_ok() {
    local tries=$(($1 * 10))
    shift
    while ! "$@" 2>/dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# An edit of the user that every run must keep: no minimum splash time.
cp "$root/resources/zozedud.Ini" "$work/zozedud.Ini"
sed -i 's/^\(  Debug *= \)no/\1yes/' "$work/zozedud.Ini"
grep -q '^  Debug *= yes' "$work/zozedud.Ini" || fail "the shipped file has no Debug line"
height=$(($(sed -n 's/^ *Coord_H *= *\([0-9]*\).*/\1/p' "$root/resources/zozedud.Ini") / 15))

env -u DISPLAY ZOZ_RUN_DIR="$work" setsid "$root/tools/run.sh" >"$work/out" 2>&1 </dev/null &
group=$!
until_ok 60 grep -q '^run: editor in' "$work/out" || fail "run.sh did not start the editor"
display=$(sed -n 's/^run: display \(:[0-9]*\);.*/\1/p' "$work/out")
port=$(sed -n 's/.*connect a VNC viewer to 127\.0\.0\.1:\([0-9]*\) .*/\1/p' "$work/out")
[ -n "$display" ] && [ -n "$port" ] || fail "no display or VNC port printed"
listening=$(ss -Hltn "sport = :$port" | awk '{print $4}' | sort | tr '\n' ' ')
[ "$listening" = "127.0.0.1:$port [::1]:$port " ] || fail "VNC listens on: $listening"
# The helpers of this run by process: another run may take the display and port after them.
xvfb=$(tr -dc 0-9 <"/tmp/.X${display#:}-lock")
vnc=$(ss -Hltnp "sport = :$port" | sed -n 's/.*pid=\([0-9]*\).*/\1/p' | head -n 1)
[ -n "$xvfb" ] && [ -n "$vnc" ] || fail "no Xvfb lock for $display or no VNC process on $port"

export DISPLAY=$display
# xdotool search stops at a window that vanishes meanwhile (the splash): look again until found.
find_window() { window=$(xdotool search --onlyvisible --name 'ZozEdud Version' | head -n 1) && [ -n "$window" ]; }
until_ok 30 find_window || fail "no editor window on $display"
# The shipped height counts with the window manager's frame (openbox draws a title bar).
framed_height() {
    local top bottom
    eval "$(xdotool getwindowgeometry --shell "$window")"
    IFS=', ' read -r _ _ top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p')
    HEIGHT=$((HEIGHT + ${top:-0} + ${bottom:-0}))
    [ "${top:-0}" -gt 0 ] && [ "$HEIGHT" -eq "$height" ]
}
until_ok 10 framed_height || fail "window height with frame $HEIGHT, shipped $height"

kill -INT -- "-$group"
until_ok 30 eval '! kill -0 "$group"' ||
    fail "run.sh still runs 30 s after Ctrl+C: $(ps -o pid=,stat=,args= --ppid "$group" | tr '\n' ';')"
wait "$group" || true
group=""

log=$(ls "$work"/zozedud-*.Log)
ending=$(tr -d '\r' <"$log" | grep -av '^$' | tail -n 2 |
    sed 's/^.*[0-9][0-9]:[0-9][0-9]:[0-9][0-9] //')
expected=$(printf '%s\n%s' ">  $(tr -d '\r' <"$root/resources/zozedud.Ini" |
    sed -n '/^\[Messages_GER\]/,/^\[/s/^ *QueryEndProg_NoQuery *= *//p')" '***** End   *****')
[ "$ending" = "$expected" ] || fail "the log ends with: $ending"
ini=$(tr -d '\r' <"$work/zozedud.Ini")
grep -q "^  Debug *= yes" <<<"$ini" || fail "the edit Debug = yes was lost"
grep -q "^  Port *= /dev/pts/" <<<"$ini" || fail "Port is not the simulator's device"
grep -q "^  Coord_H *= $((height * 15))\b" <<<"$ini" ||
    fail "[Screen] Coord_H not kept: $(grep Coord_H <<<"$ini")"
! kill -0 "$xvfb" 2>/dev/null || fail "Xvfb $display still runs"
! kill -0 "$vnc" 2>/dev/null || fail "x11vnc on port $port still runs"
echo "run.sh: window ${HEIGHT} px high on $display, VNC $port; Ctrl+C ended everything in order"
