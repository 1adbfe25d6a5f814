#!/bin/sh
# Long run of the demo: renders FRAMES frames in each shadow mode with OpenGL
# errors checked after every frame, samples the resident memory of the
# process every second and prints, per mode, the memory after start-up, at
# the end and the largest seen, with the exit status.
# Usage: tools/long_run.sh [FRAMES] [WxH] [MODE...]   (from the repository root)
set -eu
frames=${1:-20000}
size=${2:-800x600}
shift $(($# < 2 ? $# : 2))
[ $# -gt 0 ] || set -- kvx-hq kvx ssm
demo=${KVX_DEMO:-build/bin/kvx-demo}
log_dir=${KVX_LONG_RUN_LOGS:-build/long-run}
mkdir -p "$log_dir"

rss_kib() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || true
}

printf '%-7s %8s %12s %12s %12s %12s %s\n' mode frames "seconds" "RSS@10s" "RSS end" "RSS max" status
for mode in "$@"; do
    samples="$log_dir/rss-$mode.txt"
    : >"$samples"
    start=$(date +%s)
    "$demo" --frames "$frames" --mode "$mode" --size "$size" --batch --check-gl \
        2>"$log_dir/stderr-$mode.txt" &
    pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        rss=$(rss_kib "$pid")
        [ -n "$rss" ] && echo "$(($(date +%s) - start)) $rss" >>"$samples"
        sleep 1
    done
    status=0
    wait "$pid" || status=$?
    seconds=$(($(date +%s) - start))
    awk -v mode="$mode" -v frames="$frames" -v seconds="$seconds" -v status="$status" '
        $1 >= 10 && settled == "" { settled = $2 }
        { last = $2; if ($2 > max) max = $2 }
        END { printf "%-7s %8d %12d %8.1f MiB %8.1f MiB %8.1f MiB %d\n", mode, frames, seconds,
              settled / 1024, last / 1024, max / 1024, status }' "$samples"
done
