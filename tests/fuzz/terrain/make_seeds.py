"""Writes the seed corpus of the terrain fuzz target into SEED_DIR/terrain."""
import os
import random
import sys


def seed(width, height, dx, scale, dz, pixels):
    header = bytes([width & 255, width >> 8, height & 255, height >> 8, dx & 255, scale & 255,
                    dz & 255])
    return header + bytes(pixels)


if __name__ == "__main__":
    folder = os.path.join(sys.argv[1], "terrain")
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(3)
    seeds = {
        "flat-2x2": seed(2, 2, 8, 8, 8, [0] * 12),
        "ramp-5x4": seed(5, 4, 8, 2, 8, [x * 40 for x in range(5) for _ in range(3)]),
        "noise-17x9": seed(17, 9, 16, 1, 12, [rng.randrange(256) for _ in range(17 * 9 * 3)]),
        "spike-33x33": seed(33, 33, 4, 120, 4, [0] * 1600 + [255] * 3),
        "one-row": seed(64, 1, 8, 8, 8, [1, 2, 3]),
        "wide-512x3": seed(512, 3, 1, 255, 1, [rng.randrange(256) for _ in range(300)]),
        "negative-steps": seed(6, 7, 0xf8, 0x80, 0xf0, [rng.randrange(256) for _ in range(126)]),
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
