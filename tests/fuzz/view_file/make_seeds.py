"""Writes the seed corpus of the view-file fuzz target into SEED_DIR/view_file: a whole file, the
same with comments and Windows line ends, and a few damaged ones."""
import os
import sys

WHOLE = (
    "kvx-view 1\neye 20,-135,160\nlight 90,-135,1200\nshadow-mode kvx-hq\ncompared-mode none\n"
    "inset off\nheat-colours off\nreadout off\npaused off\nfigure-1 0,0\nfigure-2 0,0\n"
    "figure-3 0,0\nfigure-4 0,0\nfigure-5 0,0\n"
)

SEEDS = [
    WHOLE,
    WHOLE.replace("\n", "\r\n").replace("eye ", "# the eye\neye "),
    WHOLE.replace("eye 20,-135,160", "eye 33.3333321,-1234.56775,10.0000010"),
    WHOLE.replace("compared-mode none", "compared-mode csm-stable").replace("paused off", "paused on"),
    WHOLE.replace("kvx-view 1", "kvx-view 2"),
    WHOLE[:-3],
    WHOLE + "eye 30,0,50\n",
    "",
]

if __name__ == "__main__":
    folder = os.path.join(sys.argv[1], "view_file")
    os.makedirs(folder, exist_ok=True)
    for number, text in enumerate(SEEDS):
        with open(os.path.join(folder, "view-%d" % number), "wb") as f:
            f.write(text.encode())
