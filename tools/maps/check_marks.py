#!/usr/bin/python3
"""Checks that every marina mark sits at the water on the charts as drawn (the
windows of map-windows.csv, the warps of map-warps.csv): its centre on the water
or within 3 px of the shore and nowhere more than 8 px out from it, and within
0.5 km of the real shore (through the map's window and warp, so fewer pixels on
the smaller-scale maps), or, where the chart's bound keeps it off, with the shore
at least under its disc (listed); that no warp folds the chart; and that every place name
has a place on its own land or water clear of the shore, the marks and the
frame. Prints per map how many marks lie on the water, on the shore and inland,
and the mark farthest from the shore. Exits 1 when a map misses the target.

    tools/maps/check_marks.py [WINDOW ...]      (needs what draw_charts.py needs)
"""
import sys
from concurrent.futures import ProcessPoolExecutor

import numpy as np

from draw_charts import place_names_check

from chartlib import (FOLD_STRETCH, KEPT_OFF_SHORE, NAMES, PLACE_KM, Target, classify, km_per_px, mark_centre, read_marks, read_warps, read_windows,
                      require_full_resolution, sample, signed_distance, water_mask, window_of)

SCALE = 4
NUMERALS = ["I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"]


def check_map(name):
    marks = read_marks()[name]
    warp = read_warps().get(name)
    window = window_of(name, read_windows())
    target = Target(window)
    water = water_mask(window, SCALE, warp)
    d = sample(signed_distance(water, SCALE), SCALE, [mark_centre(m) for m in marks])
    counts = {"water": 0, "shore": 0, "inland": 0}
    for v in d:
        counts[classify(v)] += 1
    worst = int(np.argmax(np.abs(d)))
    kept_off = ["%s %+.1f (%s)" % (marks[i][0], d[i], KEPT_OFF_SHORE[marks[i][1]]) for i in range(len(marks)) if marks[i][1] in KEPT_OFF_SHORE]
    failing = ["%s %+.1f" % (marks[i][0], d[i]) for i in range(len(marks))
               if target.fails(d[i]) and not target.under_disc(d[i]) and marks[i][1] not in KEPT_OFF_SHORE]
    # Marks the chart's bound keeps off the shore by more than the target, with the shore still under their disc.
    disc = ["%s %+.1f" % (marks[i][0], d[i]) for i in range(len(marks))
            if target.fails(d[i]) and target.under_disc(d[i]) and marks[i][1] not in KEPT_OFF_SHORE]
    names = place_names_check(name, water, SCALE, warp)
    shift = warp.largest_shift(window.w, window.h) if warp else 0.0
    stretch = warp.least_stretch(window.w, window.h) if warp else 1.0
    folds = ["the warp folds the chart (squeezes it to %.2f of its area)" % stretch] if stretch < FOLD_STRETCH else []
    return name, counts, (marks[worst][0], float(d[worst]), abs(d[worst]) * km_per_px(window)), failing, names + folds, shift, target, disc, kept_off


def main(argv):
    require_full_resolution()
    only = [a for a in argv[1:] if not a.startswith("-")]
    names = [n for n in NAMES if not only or n in only]
    ok = True
    print("%-20s %5s %5s %6s %5s %11s  %s" % ("map", "water", "shore", "inland", "warp", "target", "farthest from the shore (inland or out)"))
    with ProcessPoolExecutor(max_workers=4) as pool:
        for name, counts, (mark, d, km), failing, bad_names, shift, target, disc, kept_off in pool.map(check_map, names):
            k = NAMES.index(name)
            print("%-20s %5d %5d %6d %5.1f %5.1f/%-4.1f  %5.1f px, %.2f km (%s)%s" % (
                "%s (%s)" % (name, NUMERALS[k]), counts["water"], counts["shore"], counts["inland"], shift, target.land, target.sea,
                abs(d), km, mark + (" inland" if d > 0 else " out"), ("   FAILS: " + ", ".join(failing)) if failing else ""))
            if disc:
                print("%-20s the shore under the mark's disc only (the chart's bound keeps it from the centre): %s" % (
                    "", ", ".join(disc)))
            if kept_off:
                print("%-20s kept off the shore by the chart's bound: %s" % ("", ", ".join(kept_off)))
            for n in bad_names:
                print("%-20s name %s" % ("", n))
            ok = ok and not failing and not bad_names
    print("target: every mark's centre within %g km of the shore through its map's window and warp (inland / out: the "
          "pixels of the target column, at most 3 and 8), no warp folding the chart: %s" % (PLACE_KM, "met" if ok else "MISSED"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
