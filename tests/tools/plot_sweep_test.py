"""The sweep plotting script on a small sweep: the pictures it promises, and
a refusal of a file that is not a sweep."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "plot_sweep.py")
HEADER = ("gamma_deg,light_elevation_deg,eye_elevation_deg,parametrisation,p10,p50,p90,"
          "coverage,fewer_than_kvx")
PNG = b"\x89PNG\r\n\x1a\n"


def sweep(flips):
    lines = [HEADER + (",flips_turn,flips_move" if flips else "")]
    for gamma in (0, 90, 180):
        for elevation in (30, 70):
            for key, p50 in (("ssm", 0.2), ("kvx", 1.1), ("csm_stable", 0.6)):
                # A view that shows no scene leaves its figures empty.
                figures = ",,," if gamma == 0 else f"{p50 / 2},{p50},{p50 * 2},"
                row = f"{gamma},{elevation},-20,{key},{figures}0.5,"
                lines.append(row + (",0.001,0.002" if flips else ""))
    return "\n".join(lines) + "\n"


class PlotSweep(unittest.TestCase):
    def run_script(self, text):
        folder = tempfile.mkdtemp()
        path = os.path.join(folder, "s.csv")
        with open(path, "w") as f:
            f.write(text)
        out = os.path.join(folder, "plots")
        done = subprocess.run([sys.executable, SCRIPT, path, out, "--name", "t"],
                              capture_output=True, text=True)
        return done, out

    def test_writes_the_pictures_the_sweep_has_figures_for(self):
        for flips, expected in ((False, ["t-texels.png"]), (True, ["t-flips.png", "t-texels.png"])):
            done, out = self.run_script(sweep(flips))
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertEqual(sorted(os.listdir(out)), expected)
            for name in expected:
                with open(os.path.join(out, name), "rb") as f:
                    self.assertEqual(f.read(8), PNG)

    def test_refuses_a_file_that_is_not_a_sweep(self):
        for text in ("a,b\n1,2\n", HEADER + "\n"):
            done, _ = self.run_script(text)
            self.assertEqual(done.returncode, 1)
            self.assertTrue(done.stderr.startswith("plot_sweep: "), done.stderr)


if __name__ == "__main__":
    unittest.main()
