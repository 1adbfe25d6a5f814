"""Writes the seed corpus of the command-line fuzz target into SEED_DIR/command_line: argument
lists with their arguments separated by NUL bytes."""
import os
import sys

COMMAND_LINES = [
    [],
    ["--help"],
    ["-h", "--batch"],
    ["--frames", "120", "--screenshot", "shot.png", "--mode", "kvx-hq", "--size", "1280x1024"],
    ["--bench", "--batch", "--size", "16x8192", "--mode", "ssm"],
    ["--screenshot", "out.png", "--mode", "kvx"],
    ["--frames", "2147483648"],
    ["--size", "800x"],
    ["--mode"],
    ["--unknown", ""],
    ["--frames=5", "--batch", "--", "--mode"],
    ["--version"],
    ["--eye=20,-135,160", "--light", "90,-135,1200", "--measure", "--json"],
    ["--data", "/usr/share/kvx-demo/data", "--stability=200"],
    ["--sweep", "s.csv", "--sweep-grid", "0:180:10/30,50,70", "--shard", "1/4", "--mode",
     "csm-stable"],
    ["--sweep=s.csv", "--sweep-grid=5.5:6:0.25/90", "--shard=0/1", "--stability", "3"],
]

if __name__ == "__main__":
    folder = os.path.join(sys.argv[1], "command_line")
    os.makedirs(folder, exist_ok=True)
    for number, args in enumerate(COMMAND_LINES):
        with open(os.path.join(folder, "args-%d" % number), "wb") as f:
            f.write(b"\0".join(arg.encode() for arg in args))
