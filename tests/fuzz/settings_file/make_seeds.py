"""Writes the seed corpus of the settings file fuzz target into SEED_DIR/settings_file.

Each seed serves both uses of an input: settings texts as the program writes them and damaged
ones, and lists of paths in the fuzzer's string encoding (a backslash and another byte end a
path, two backslashes stand for one)."""
import os
import sys

HEAD = (b"; FLTK preferences file format 1.0\n; vendor: Ostrel - KVX Demo\n"
        b"; application: KVX_Demo\n\n[.]\n\n\n[./Recent File List]\n\n")


def path_list(*paths):
    return b"".join(p.replace(b"\\", b"\\\\") + b"\\;" for p in paths)


SEEDS = {
    "written": HEAD + b"File1:/home/ann/scenes/a.kvx\nFile2:/tmp/b\n",
    "escapes": HEAD + b"File1:C:\\\\scenes\\\\one\\nline\\r\\303\\251\\001\n",
    "continued": HEAD + b"File1:" + b"x" * 60 + b"\n+" + b"y" * 80 + b"\n+\\30\n+3\\251\n",
    "crlf": HEAD.replace(b"\n", b"\r\n") + b"File1:/a\r\nFile2:/b\r\n",
    "damaged": (b"File0:before any group\n[Recent File List]\nFile1:no dot slash\n"
                b"[./Recent File List]\n+orphan\nFile1\nFile2:\\q\\7\nFile3:cut\\\n"
                b"[./Other]\nFile4:elsewhere\n[./Recent File List]\nFile1:last counts\n"),
    "list-plain": path_list(b"/home/ann/a.kvx", b"/tmp/b.kvx", b"relative/c", b"d"),
    "list-odd-bytes": path_list(b"a\nb\rc\\d", b"\x00\x01\x7f\xff[./x]", b";+:", b""),
    "list-long": path_list(b"/" + b"very-long-folder-name/" * 170, b"\\" * 70),
}

if __name__ == "__main__":
    folder = os.path.join(sys.argv[1], "settings_file")
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
