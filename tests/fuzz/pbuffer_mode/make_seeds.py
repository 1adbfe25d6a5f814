"""Writes the seed corpus of the depth target's mode-string fuzz target into SEED_DIR/pbuffer_mode."""
import os
import sys

MODES = [
    "rgba depth=24 textureRECT=depth",
    "rgb alpha depth stencil double aux=2 samples=4",
    "float=32 r textureRECT mipmap",
    "ati_float=16 rg texture2D=depth",
    "  rgba   textureCUBE mipmap  depth=16 ",
    "depth=99999999999999999999 samples=-3 aux=",
    "float=16 rgba texture",
    "",
]

if __name__ == "__main__":
    folder = os.path.join(sys.argv[1], "pbuffer_mode")
    os.makedirs(folder, exist_ok=True)
    for number, mode in enumerate(MODES):
        with open(os.path.join(folder, "mode-%d" % number), "w") as f:
            f.write(mode)
