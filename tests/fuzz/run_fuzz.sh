#!/bin/sh
# Runs the fuzz targets one after the other, each as a single fuzzing process on one core. Each target's libFuzzer log, grown
# corpus and crashing inputs stay under BUILD_DIR/tests/fuzz/{logs,corpus,findings}/<target>;
# a line per target with its time, runs, corpus size and findings goes to standard output.
# A run slower than 10 seconds on one input counts as a hang. A target's dictionary, when the build
# wrote one beside its seeds, guides the mutations.
# Usage: run_fuzz.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]
# KVX_FUZZ_OPTIONS adds libFuzzer options, e.g. KVX_FUZZ_OPTIONS=-max_len=65536.
# TARGET is an executable name without its kvx_fuzz_ prefix; all targets run when none is named:
# every BUILD_DIR/bin/kvx_fuzz_*, where the build puts the fuzz targets and nothing else (their seed
# writers go to BUILD_DIR/tests/fuzz/seed_writers).
set -eu
build=$(cd "$1" && pwd)
seconds=$2
shift 2
if [ $# -eq 0 ]; then
    for program in "$build"/bin/kvx_fuzz_*; do
        [ -x "$program" ] || continue
        set -- "$@" "${program##*/kvx_fuzz_}"
    done
    if [ $# -eq 0 ]; then
        echo "run_fuzz.sh: no fuzz targets in $build/bin; build the target kvx_fuzz_all" >&2
        exit 1
    fi
fi
work="$build/tests/fuzz"
for target in "$@"; do
    mkdir -p "$work/corpus/$target" "$work/findings/$target" "$work/logs/$target"
    log="$work/logs/$target/fuzz-$(date +%Y%m%d-%H%M%S).log"
    status=0
    dict=
    [ ! -f "$work/seeds/$target.dict" ] || dict="-dict=$work/seeds/$target.dict"
    (cd "$work/logs/$target" &&
        "$build/bin/kvx_fuzz_$target" "$work/corpus/$target" "$work/seeds/$target" \
            -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$work/findings/$target/" $dict ${KVX_FUZZ_OPTIONS:-}) >"$log" 2>&1 ||
        status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    corpus=$(find "$work/corpus/$target" -type f | wc -l)
    findings=$(find "$work/findings/$target" -type f | wc -l)
    echo "$target: ${seconds} s, ${runs:-?} runs, corpus $corpus, findings $findings, exit $status"
done
