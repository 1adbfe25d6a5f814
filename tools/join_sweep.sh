#!/bin/sh
# Joins the CSV files of a sweep's shards into the CSV of the whole sweep on
# standard output: the header once, then every row sorted by light
# elevation, gamma and parametrisation, the order of a sweep in one process
# up to the order of the parametrisations within a view.
#
#   tools/join_sweep.sh shard-*.csv > sweep.csv
set -eu
[ $# -gt 0 ] || { echo "usage: tools/join_sweep.sh SHARD.csv..." >&2; exit 2; }
head -n 1 "$1"
for f in "$@"; do tail -n +2 "$f"; done | LC_ALL=C sort -t, -k2,2g -k1,1g -k4,4
