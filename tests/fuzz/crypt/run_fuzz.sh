#!/bin/sh
# Runs both container fuzz targets one after the other on one core.
# Usage: run_fuzz.sh BUILD_DIR SECONDS_PER_TARGET
set -eu
build=$1
seconds=$2
for target in decrypt_file double_buffering; do
    corpus="$build/tests/fuzz/crypt/corpus/$target"
    mkdir -p "$corpus" "$build/tests/fuzz/crypt/findings/$target"
    "$build/bin/kvx_fuzz_$target" "$corpus" "$build/tests/fuzz/crypt/seeds/$target" \
        -max_total_time="$seconds" -jobs=1 -workers=1 -print_final_stats=1 \
        -artifact_prefix="$build/tests/fuzz/crypt/findings/$target/"
done
