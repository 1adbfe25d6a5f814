#!/bin/sh
# Runs the container fuzz targets one after the other on one core. libFuzzer's logs, the grown
# corpus and any crashing inputs stay under BUILD_DIR/tests/fuzz/crypt.
# Usage: run_fuzz.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]
# TARGET is decrypt_file or double_buffering; both run when none is named.
set -eu
build=$(cd "$1" && pwd)
seconds=$2
shift 2
[ $# -gt 0 ] || set -- decrypt_file double_buffering
work="$build/tests/fuzz/crypt"
for target in "$@"; do
    mkdir -p "$work/corpus/$target" "$work/findings/$target" "$work/logs/$target"
    (cd "$work/logs/$target" &&
        "$build/bin/kvx_fuzz_$target" "$work/corpus/$target" "$work/seeds/$target" \
            -max_total_time="$seconds" -jobs=1 -workers=1 -print_final_stats=1 \
            -artifact_prefix="$work/findings/$target/")
done
