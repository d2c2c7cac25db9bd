#!/usr/bin/env bash
# Makes the printed report of the controller simulator's data set as a PDF:
#   tools/report-pdf.sh [OUT.pdf]      (default: build/report-sim.pdf)
# Starts build/bin/qpl-sim, fetches its data set with zozedud-cli (kept as OUT.DAT beside the PDF)
# and renders the report with `zozedud-cli report` using the shipped settings file (no display
# needed). ZOZ_BIN names another folder with the two programs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="${ZOZ_BIN:-$root/build/bin}"
out="${1:-$root/build/report-sim.pdf}"
data="${out%.*}.DAT"
settings="$root/resources/zozedud.Ini"
for program in qpl-sim zozedud-cli; do
    [ -x "$bin/$program" ] || { echo "report-pdf.sh: $bin/$program missing (make build)" >&2; exit 2; }
done

work="$(mktemp -d)"
sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$bin/qpl-sim" --baud 0 > "$work/sim.out" 2>&1 < /dev/null &
sim_pid=$!
for _ in $(seq 50); do
    grep -q '^PTY ' "$work/sim.out" && break
    sleep 0.1
done
device="$(awk '/^PTY /{print $2; exit}' "$work/sim.out")"
[ -n "$device" ] || { echo "report-pdf.sh: the simulator did not start" >&2; exit 1; }

"$bin/zozedud-cli" --quiet --settings "$settings" --port "$device" --timeout 5 receive "$data"
"$bin/zozedud-cli" --quiet --settings "$settings" --port "$device" --timeout 5 report "$data" -o "$out"
echo "$out"
