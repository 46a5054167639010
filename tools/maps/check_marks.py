#!/usr/bin/python3
"""Checks that every marina mark sits at the water on the charts as drawn (the
windows of map-windows.csv, the warps of map-warps.csv): its centre on the water
or within 3 px of the shore, and nowhere more than 8 px out from the shore.
Prints per map how many marks lie on the water, on the shore and inland, and the
mark farthest from the shore; and that no place name is crossed by the shore or
covered by a mark. Exits 1 when a map misses the target.

    tools/maps/check_marks.py [WINDOW ...]      (needs what draw_charts.py needs)
"""
import sys
from concurrent.futures import ProcessPoolExecutor

import numpy as np

from draw_charts import place_names_check

from chartlib import (NAMES, OFFSHORE_PX, SHORE_PX, classify, mark_centre, mark_fails, read_marks, read_warps, read_windows,
                      require_full_resolution, sample, signed_distance, water_mask, window_of)

SCALE = 4
NUMERALS = ["I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"]


def check_map(name):
    marks = read_marks()[name]
    warp = read_warps().get(name)
    water = water_mask(window_of(name, read_windows()), SCALE, warp)
    d = sample(signed_distance(water, SCALE), SCALE, [mark_centre(m) for m in marks])
    counts = {"water": 0, "shore": 0, "inland": 0}
    for v in d:
        counts[classify(v)] += 1
    worst = int(np.argmax(np.abs(d)))
    failing = ["%s %+.1f" % (marks[i][0], d[i]) for i in range(len(marks)) if mark_fails(d[i])]
    names = place_names_check(name, water, SCALE)
    shift = warp.largest_shift(window_of(name).w, window_of(name).h) if warp else 0.0
    return name, counts, (marks[worst][0], float(d[worst])), failing, names, shift


def main(argv):
    require_full_resolution()
    only = [a for a in argv[1:] if not a.startswith("-")]
    names = [n for n in NAMES if not only or n in only]
    ok = True
    print("%-20s %5s %5s %6s %5s  %s" % ("map", "water", "shore", "inland", "warp", "farthest from the shore (inland or out)"))
    with ProcessPoolExecutor(max_workers=4) as pool:
        for name, counts, (mark, d), failing, bad_names, shift in pool.map(check_map, names):
            k = NAMES.index(name)
            print("%-20s %5d %5d %6d %5.1f  %5.1f px (%s)%s" % ("%s (%s)" % (name, NUMERALS[k]), counts["water"], counts["shore"],
                                                                 counts["inland"], shift, abs(d), mark + (" inland" if d > 0 else " out"),
                                                           ("   FAILS: " + ", ".join(failing)) if failing else ""))
            for n in bad_names:
                print("%-20s name %s" % ("", n))
            ok = ok and not failing and not bad_names
    print("target: every mark on the water or within %g px of the shore, none more than %g px out from it: %s"
          % (SHORE_PX, OFFSHORE_PX, "met" if ok else "MISSED"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
