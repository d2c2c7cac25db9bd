#!/usr/bin/env bash
# Runs every fuzz target in the given folder for the given seconds each, starting from the seed
# corpus in fuzz/corpus/<name> and the inputs found by earlier runs (kept in the build folder).
# A failing input is written to fuzz/regressions/<name>/, which the ordinary test suite replays.
# Usage: tools/run-fuzzers.sh BUILD_FUZZ_FOLDER SECONDS
set -uo pipefail
cd "$(dirname "$0")/.."
bin_dir=$1
seconds=${2:-60}
status=0
for target in "$bin_dir"/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    name=${name#fuzz_}
    work="$bin_dir/corpus/$name"
    mkdir -p "$work" "fuzz/regressions/$name"
    log="$bin_dir/$name.log"
    # No allocation stacks while fuzzing: AddressSanitizer keeps every distinct one for the whole
    # run, and a parser's varying recursion depths make new ones all the time (memory grew by
    # about 0.7 KB a run). A kept input replayed by the test suite under test-asan has them.
    ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1:quarantine_size_mb=16:malloc_context_size=0 \
        "$target" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="fuzz/regressions/$name/" "$work" "fuzz/corpus/$name" >"$log" 2>&1
    rc=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    rate=$(grep -o 'exec/s: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$')
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$')
    rss=$(grep -o 'stat::peak_rss_mb: *[0-9]*' "$log" | grep -o '[0-9]*$')
    printf '%-9s runs %9s  exec/s %6s  cov %5s  peak rss %5s MB  %s\n' "$name" "${runs:-?}" \
        "${rate:-?}" "${cov:-?}" "${rss:-?}" "$([ $rc -eq 0 ] && echo ok || echo "FAILED, see $log")"
    [ $rc -eq 0 ] || status=1
done
exit $status
