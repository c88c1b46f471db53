#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz) and runs each on its seed corpus.
#   fuzz/run.sh [SECONDS] [TARGET...]   each target for SECONDS (default 20)
#   FUZZ_RUNS=N fuzz/run.sh 0 [TARGET...]   each target for N inputs instead
# The corpus grown by a run stays in build-fuzz/fuzz-corpus/TARGET and seeds the
# next run. A crash, a sanitizer report, a failed check, a hang or a leak
# fails the run; the input that caused it is printed and kept in
# build-fuzz/fuzz-artifacts/. Exits non-zero when any target failed.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-20}"
shift || true
scripts/setup.sh fuzz || exit 1

build=build-fuzz
targets=("$@")
if ((${#targets[@]} == 0)); then
    for f in "$build"/fuzz/fuzz_*; do targets+=("$(basename "$f" | sed 's/^fuzz_//')"); done
fi

limits=(-timeout=10 -rss_limit_mb=2048 -max_len=256 -print_final_stats=1)
if [ -n "${FUZZ_RUNS:-}" ]; then
    limits+=(-runs="$FUZZ_RUNS")
else
    limits+=(-max_total_time="$seconds")
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for t in "${targets[@]}"; do
    exe="$build/fuzz/fuzz_$t"
    if [ ! -x "$exe" ]; then
        echo "fuzz: no target $t" >&2
        failed+=("$t")
        continue
    fi
    work="$build/fuzz-corpus/$t"
    artifacts="$build/fuzz-artifacts/$t"
    log="$build/fuzz-logs/$t.log"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    start=$(date +%s)
    "$exe" "${limits[@]}" -dict="fuzz/dict/$t.dict" -artifact_prefix="$artifacts/" \
        "$work" "fuzz/corpus/$t" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
    printf 'fuzz %-14s %4ds %12s inputs  %s  corpus %s\n' "$t" $(($(date +%s) - start)) "${runs:-?}" \
        "${cov:-cov: ?}" "$(ls "$work" | wc -l)"
    if [ "$status" -ne 0 ]; then
        failed+=("$t")
        echo "---- fuzz $t FAILED (status $status); the end of its log:"
        grep -v -E '^#[0-9]+\s+(NEW|REDUCE|pulse|INITED)' "$log" | tail -40
        for a in "$artifacts"/*; do
            [ -f "$a" ] || continue
            echo "---- reproducer $a ($(stat -c %s "$a") bytes), replay with: $exe $a"
            od -A d -c "$a" | head -20
        done
    fi
done

if ((${#failed[@]})); then
    echo "fuzz: FAILED: ${failed[*]}"
    exit 1
fi
echo "fuzz: every target ran without a finding"
