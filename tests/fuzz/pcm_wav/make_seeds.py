"""Writes the seed corpus of the WAVE filter fuzz target into SEED_DIR/pcm_wav: plain PCM files
of every sample size, channel count and the extreme rates, chunks before and after the format,
and files the filter refuses or the library reads only in part."""
import math
import os
import struct
import sys


def chunk(tag, body, size=None):
    data = tag + struct.pack("<I", len(body) if size is None else size) + body
    return data + (b"\0" if len(body) % 2 else b"")


def fmt(channels, rate, bits, tag=1, extra=b""):
    align = channels * bits // 8
    return chunk(b"fmt ", struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits)
                 + extra)


def samples(channels, bits, frames):
    out = bytearray()
    for i in range(frames * channels):
        value = math.sin(i / 5.0)
        out += bytes([int(128 + 100 * value)]) if bits == 8 else struct.pack("<h", int(9000 * value))
    return bytes(out)


def wave(*chunks, riff_size=None):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body) if riff_size is None else riff_size) + body


def plain(channels, rate, bits, frames=64):
    return wave(fmt(channels, rate, bits), chunk(b"data", samples(channels, bits, frames)))


SEEDS = {
    "8bit-mono-8000": plain(1, 8000, 8),
    "16bit-stereo-48000": plain(2, 48000, 16),
    "16bit-mono-11025": plain(1, 11025, 16),
    "8bit-stereo-22050": plain(2, 22050, 8, 33),
    "list-before-format": wave(chunk(b"LIST", b"INFOabc"), fmt(1, 8000, 16),
                               chunk(b"data", samples(1, 16, 20))),
    "format-with-extra": wave(fmt(1, 16000, 16, extra=b"\0\0"), chunk(b"fact", b"\x10\0\0\0"),
                              chunk(b"data", samples(1, 16, 16))),
    "data-longer-than-file": wave(fmt(1, 8000, 8), chunk(b"data", samples(1, 8, 10), 4000)),
    "riff-size-wrong": wave(fmt(2, 8000, 16), chunk(b"data", samples(2, 16, 10)), riff_size=7),
    "odd-data-then-list": wave(fmt(1, 8000, 8), chunk(b"data", samples(1, 8, 7)),
                               chunk(b"LIST", b"INFO")),
    "adpcm": wave(fmt(1, 8000, 4, tag=2, extra=b"\x20\0\xf4\x01"), chunk(b"data", b"\0" * 64)),
    "float": wave(fmt(1, 8000, 32, tag=3), chunk(b"data", b"\0" * 64)),
    "rate-8": plain(1, 8, 8),
    "no-data": wave(fmt(1, 8000, 8)),
}

if __name__ == "__main__":
    folder = os.path.join(sys.argv[1], "pcm_wav")
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
