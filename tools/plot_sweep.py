#!/usr/bin/python3
"""Plots a sweep of kvx-demo (--sweep FILE) as PNG pictures.

    tools/plot_sweep.py SWEEP.csv OUTDIR [--name NAME]

Writes OUTDIR/NAME-texels.png: the median (solid) and the 10th percentile
(dashed) of texels per pixel against gamma, one line per parametrisation and
one panel per light elevation; and, when the sweep has the flip shares
(--sweep with --stability N), OUTDIR/NAME-flips.png: the percentage of
points that flip between lit and shadowed per frame, the eye turning (solid)
and moving (dashed). Views that show no scene leave gaps.
Exit status 1 with a message when the file is not a sweep.
"""

import argparse
import csv
import math
import os
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import matplotlib.ticker  # noqa: E402

COLUMNS = ["gamma_deg", "light_elevation_deg", "eye_elevation_deg", "parametrisation",
           "p10", "p50", "p90", "coverage", "fewer_than_kvx"]
FLIPS = ["flips_turn", "flips_move"]
LABELS = {"ssm": "SSM", "kvx": "KVX", "lispsm": "LiSPSM", "csm": "CSM",
          "csm_stable": "CSM stable"}
COLOURS = {"ssm": "tab:grey", "kvx": "tab:red", "lispsm": "tab:blue", "csm": "tab:green",
           "csm_stable": "tab:olive"}


def number(text):
    return float(text) if text != "" else math.nan


def read_sweep(path):
    """The rows as dictionaries of numbers (the parametrisation a name)."""
    with open(path, newline="") as f:
        reader = csv.DictReader(f)
        if reader.fieldnames is None or reader.fieldnames[:len(COLUMNS)] != COLUMNS:
            raise ValueError(f"{path} does not start with the header of a sweep")
        rows = []
        for row in reader:
            rows.append({k: (v if k == "parametrisation" else number(v))
                         for k, v in row.items()})
        return rows, all(c in reader.fieldnames for c in FLIPS)


def series(rows, elevation, key, column, scale):
    """gamma and the column's figures of one parametrisation at one elevation,
    times scale; a gap where the view shows no scene."""
    picked = sorted((r["gamma_deg"], math.nan if math.isnan(r["p50"]) else r[column] * scale)
                    for r in rows
                    if r["light_elevation_deg"] == elevation and r["parametrisation"] == key)
    return [g for g, _ in picked], [v for _, v in picked]


def plot(rows, columns, ylabel, log, scale, path):
    elevations = sorted({r["light_elevation_deg"] for r in rows})
    keys = [k for k in LABELS if any(r["parametrisation"] == k for r in rows)]
    fig, axes = plt.subplots(1, len(elevations), figsize=(4.2 * len(elevations), 3.8),
                             sharey=True, squeeze=False)
    for ax, elevation in zip(axes[0], elevations):
        for key in keys:
            for column, style in columns:
                gammas, values = series(rows, elevation, key, column, scale)
                ax.plot(gammas, values, style, color=COLOURS[key], marker=".",
                        label=f"{LABELS[key]} {column}")
        ax.set_title(f"light elevation {elevation:g} degrees")
        ax.set_xlabel("gamma, view to light (degrees)")
        ax.set_xlim(0, 180)
        ax.set_xticks(range(0, 181, 30))
        ax.grid(True, which="both", alpha=0.3)
        if log:
            ax.set_yscale("log")
            ax.set_yticks([0.1, 0.2, 0.5, 1, 2, 5, 10])
            ax.yaxis.set_major_formatter(matplotlib.ticker.ScalarFormatter())
    axes[0][0].set_ylabel(ylabel)
    axes[0][-1].legend(fontsize="x-small", loc="best")
    fig.tight_layout()
    fig.savefig(path, dpi=90)
    plt.close(fig)


def main():
    parser = argparse.ArgumentParser(description="Plots a kvx-demo sweep as PNG pictures.")
    parser.add_argument("sweep", help="the CSV that kvx-demo --sweep wrote")
    parser.add_argument("outdir", help="the folder the pictures go to")
    parser.add_argument("--name", default="sweep", help="the pictures' file names begin so")
    args = parser.parse_args()
    try:
        rows, has_flips = read_sweep(args.sweep)
    except (OSError, ValueError) as e:
        print(f"plot_sweep: {e}", file=sys.stderr)
        return 1
    if not rows:
        print(f"plot_sweep: {args.sweep} has no rows", file=sys.stderr)
        return 1
    os.makedirs(args.outdir, exist_ok=True)
    plot(rows, [("p50", "-"), ("p10", "--")], "texels per pixel", True, 1.0,
         os.path.join(args.outdir, f"{args.name}-texels.png"))
    if has_flips:
        plot(rows, [("flips_turn", "-"), ("flips_move", "--")], "% of points flipping per frame",
             False, 100.0, os.path.join(args.outdir, f"{args.name}-flips.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
