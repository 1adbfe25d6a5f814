#!/bin/sh
# A sweep of kvx-demo as a Slurm array job: each task measures one shard of
# the grid into its own CSV; after the array, join the shards with
# tools/join_sweep.sh. Run from the source tree (kvx-demo reads ./data):
#
#   sbatch --array=0-15 tools/sweep_slurm.sh sweeps/run1 [kvx-demo options...]
#   tools/join_sweep.sh sweeps/run1/shard-*.csv > sweep.csv
#
# The options after the folder go to every task (for example --sweep-grid
# 0:180:5/20,40,60,80 or --stability 50). Each task needs a display;
# xvfb-run gives it one of its own.
#SBATCH --job-name=kvx-sweep
#SBATCH --cpus-per-task=1
#SBATCH --output=kvx-sweep-%A_%a.log
set -eu
out=${1:?usage: sbatch --array=0-N tools/sweep_slurm.sh OUTDIR [kvx-demo options...]}
shift
mkdir -p "$out"
task=${SLURM_ARRAY_TASK_ID:?run as an array job: sbatch --array=0-N}
count=${SLURM_ARRAY_TASK_COUNT:?run as an array job: sbatch --array=0-N}
SDL_AUDIODRIVER=dummy exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    build/bin/kvx-demo --batch --sweep "$out/shard-$task.csv" --shard "$task/$count" "$@"
