#!/bin/sh
# Side-by-side frame times of two builds: runs `--bench` of build A, of build B
# and of build B with the depth map copied (KVX_DEPTH_COPY=1), one after the
# other, ROUNDS times, so that all three see the same load on the machine. Prints
# each round's median frames per mode, then per mode the median over the rounds
# and the ratios B / A and B / B copied.
# Usage: tools/bench_rounds.sh ROUNDS BUILD_A BUILD_B [WxH]   (from the repository root)
set -eu
rounds=$1
build_a=$2
build_b=$3
size=${4:-800x600}
log_dir=${KVX_BENCH_LOGS:-build/bench-rounds}
mkdir -p "$log_dir"
results="$log_dir/frames.txt"
: >"$results"

# The median frame of each mode in a --bench report, old layout or new: the
# first number after the mode's name.
frames_of() {
    awk '/^KVX High Quality +([0-9]|median)/ { for (i = 4; i <= NF; ++i) if ($i ~ /^[0-9.]+$/) { print "kvx-hq", $i; break } }
         /^KVX  / { for (i = 2; i <= NF; ++i) if ($i ~ /^[0-9.]+$/) { print "kvx", $i; break } }
         /^SSM  / { for (i = 2; i <= NF; ++i) if ($i ~ /^[0-9.]+$/) { print "ssm", $i; break } }' "$1"
}

run() {  # NAME ROUND BUILD [ENV...]
    name=$1 round=$2 build=$3
    shift 3
    report="$log_dir/$name-$round.txt"
    env "$@" SDL_AUDIODRIVER=dummy "$build" --bench --batch --size "$size" >"$report"
    frames_of "$report" | while read -r mode ms; do
        echo "$name $round $mode $ms" >>"$results"
    done
}

round=1
while [ "$round" -le "$rounds" ]; do
    run A "$round" "$build_a"
    run B "$round" "$build_b" KVX_DEPTH_COPY=
    run B-copied "$round" "$build_b" KVX_DEPTH_COPY=1
    round=$((round + 1))
done

awk '{ printf "round %s %-9s %-7s %9.3f ms\n", $2, $1, $3, $4 }' "$results"
for mode in kvx-hq kvx ssm; do
    for name in A B B-copied; do
        awk -v n="$name" -v m="$mode" '$1 == n && $3 == m { print $4 }' "$results" | sort -n |
            awk -v n="$name" -v m="$mode" '{ v[NR] = $1 }
                END { med = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
                      print m, n, med }'
    done
done | awk '{ med[$1 " " $2] = $3; modes[$1] = 1 }
    END { for (m in modes)
            printf "%-7s median over rounds: A %.3f ms, B %.3f ms, B copied %.3f ms; " \
                   "B / A %.3f, B / B copied %.3f\n", m, med[m " A"], med[m " B"],
                   med[m " B-copied"], med[m " B"] / med[m " A"], med[m " B"] / med[m " B-copied"] }'
