#!/bin/sh
# Runs every libFuzzer program of a fuzz build for a bounded time each.
# Usage: run-fuzzers.sh <fuzz build directory> <seconds per target>
# New inputs the fuzzer finds stay in the build directory; the committed seeds
# are only read. A crash fails the run and is left where it was written: copy
# it into tests/fuzz/corpus/<target>/ and the plain test run replays it for
# good (test_fuzz_replay_<target>).
set -eu

build=$1
seconds=$2
# The dictionaries and options live beside the fuzz targets.
here=$(cd "$(dirname "$0")/../tests/fuzz" && pwd)
list="$build/tests/fuzz/fuzz-targets.txt"
work="$build/fuzz-runs"

[ -s "$list" ] || { echo "run-fuzzers: no fuzz targets listed in $list" >&2; exit 1; }

failed=""
tab=$(printf '\t')
while IFS="$tab" read -r name program corpus; do
    mkdir -p "$work/$name/corpus" "$work/$name/artifacts"
    dict=""
    [ -f "$here/$name.dict" ] && dict="-dict=$here/$name.dict"
    # Flags of the target's own come last, so they win over the defaults.
    own=""
    [ -f "$here/$name.options" ] && own=$(grep -v '^#' "$here/$name.options" | tr '\n' ' ')
    echo "== fuzz $name for ${seconds}s"
    # Long inputs matter (a paste can be any length), hence max_len; value
    # profiling lets comparisons against single digits guide the search.
    # shellcheck disable=SC2086
    if "$program" -max_total_time="$seconds" -max_len=16384 -use_value_profile=1 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/$name/artifacts/" $dict $own \
        "$work/$name/corpus" "$corpus" >"$work/$name/log.txt" 2>&1 </dev/null; then
        grep -E "^(stat::number_of_executed_units|stat::new_units_added|Done)" "$work/$name/log.txt" || true
    else
        tail -n 40 "$work/$name/log.txt"
        echo "fuzz $name FAILED; inputs kept in $work/$name/artifacts/:"
        ls "$work/$name/artifacts/"
        echo "to keep one as a regression: cp <file> $corpus/"
        failed="$failed $name"
    fi
done <"$list"

if [ -n "$failed" ]; then
    echo "fuzzing found faults in:$failed" >&2
    exit 1
fi
echo "fuzzing found no fault"
