"""Writes the small seed corpus of the container fuzz targets into OUT_DIR/<target>/."""
import os
import random
import sys


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def decrypt_file_seeds(folder):
    rng = random.Random(1)
    # First byte: bit 7 puts the right header before the body; the rest picks mode and padding.
    for settings in (0x80, 0x81, 0x82, 0x83 + 3):
        for length in (0, 8, 16, 384, 400, 776):
            body = bytes(rng.randrange(256) for _ in range(length))
            write(folder, "body-%02x-%d" % (settings, length), bytes([settings]) + body)
    write(folder, "short-header", bytes([0]) + b"\x01" * 20)
    write(folder, "truncated", bytes([0x80]) + b"\x02" * 397)


def double_buffering_seeds(folder):
    rng = random.Random(2)
    for size, data_len, file_len in ((32, 12, 100), (64, 32, 128), (16, 8, 0), (254, 96, 700)):
        content = bytes(rng.randrange(256) for _ in range(file_len))
        requests = bytes([0] * 6 + [5, 9, 1, 200, 0, 3] * 4)
        header = bytes([size, data_len, file_len & 255, file_len >> 8])
        write(folder, "ring-%d-%d-%d" % (size, data_len, file_len), header + content + requests)


if __name__ == "__main__":
    out = sys.argv[1]
    decrypt_file_seeds(os.path.join(out, "decrypt_file"))
    double_buffering_seeds(os.path.join(out, "double_buffering"))
