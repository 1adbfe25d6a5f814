"""Reads and writes asset containers with an independent Blowfish (pycryptodome) and hashlib.

usage: reference_container.py encrypt|decrypt KEY_HEX MODE PADDING IV_HEX IN OUT

The header is the SHA-256 of "BLOWFISH", the key repeated to 56 bytes, and the mode and padding
digits; the body is standard Blowfish keyed with the key bytes as given, in ECB (0), CBC (1) or
64-bit CFB (2), the last block padded with zero bytes (0), spaces (1) or the fill count (2).
Exits with 3 when a container's header does not match.
"""
import hashlib
import sys

try:
    from Cryptodome.Cipher import Blowfish
except ImportError:
    from Crypto.Cipher import Blowfish


def header(key, mode, padding):
    expanded = (key * 56)[:56]
    return hashlib.sha256(b"BLOWFISH" + expanded + b"%d%d" % (mode, padding)).digest()


def cipher(key, mode, iv):
    if mode == 0:
        return Blowfish.new(key, Blowfish.MODE_ECB)
    if mode == 1:
        return Blowfish.new(key, Blowfish.MODE_CBC, iv=iv)
    return Blowfish.new(key, Blowfish.MODE_CFB, iv=iv, segment_size=64)


def pad(data, padding):
    count = -len(data) % 8
    fill = {0: 0, 1: 0x20, 2: count}[padding]
    return data + bytes([fill]) * count


def main(command, key_hex, mode, padding, iv_hex, source, target):
    key, iv = bytes.fromhex(key_hex), bytes.fromhex(iv_hex)
    mode, padding = int(mode), int(padding)
    data = open(source, "rb").read()
    if command == "encrypt":
        result = header(key, mode, padding) + cipher(key, mode, iv).encrypt(pad(data, padding))
    else:
        if data[:32] != header(key, mode, padding):
            return 3
        result = cipher(key, mode, iv).decrypt(data[32:])
    open(target, "wb").write(result)
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
