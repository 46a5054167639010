#!/usr/bin/python3
"""Checks that every sub-region chart stays true to the coast through its warp: the real coast (the shore masks
place_marks.py keeps in tools/maps/shore) drawn within 2 km of its place over 95 % of its length and nowhere more
than 4 km from it, and the chart nowhere squeezed or stretched beyond 2:1 (the singular values of the warp's map
from the picture to the chart, over the whole picture, within 0.5..2), so that the degree lines and the scale bar
read true. Prints per map the coast's length, the share within 2 km, the farthest and the bounds met; exits 1 when
a map is past them.

    tools/maps/check_charts.py [WINDOW ...]      (needs python3-numpy, python3-scipy, python3-pil; not gmt)
"""
import sys

try:
    from chartlib import NAMES, chart_truth, read_warps, read_windows, real_coast, truth_fails, window_of
except ImportError as missing:
    # The test run counts 77 as skipped.
    print("check_charts.py needs python3-numpy, python3-scipy and python3-pil: %s; not checked" % missing)
    sys.exit(77)

NUMERALS = ["I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"]


def main(argv):
    only = [a for a in argv[1:] if not a.startswith("-")]
    windows, warps = read_windows(), read_warps()
    ok = True
    print("%-20s %8s %9s %8s %7s %7s" % ("map", "coast km", "within 2", "max km", "squeeze", "stretch"))
    for k, name in enumerate(NAMES):
        if only and name not in only:
            continue
        window = window_of(name, windows)
        t = chart_truth(window, warps.get(name), real_coast(name, window))
        fails = truth_fails(t)
        ok = ok and not fails
        print("%-20s %8.0f %8.1f%% %8.2f %7.2f %7.2f%s" % ("%s (%s)" % (name, NUMERALS[k]), t["coast_km"], 100 * t["share"],
                                                          t["far_km"], t["squeeze"], t["stretch"],
                                                          ("   FAILS: " + "; ".join(fails)) if fails else ""))
    print("bound: every chart's coast within 2 km over 95 %% of its length, 4 km everywhere, no squeeze or stretch "
          "beyond 2:1: %s" % ("met" if ok else "MISSED"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
