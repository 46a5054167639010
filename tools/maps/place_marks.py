#!/usr/bin/python3
"""Where each demo marina lies: the place the drawn chart shows under its mark. The mark's centre is taken
back through its map's warp and window to the real coast; the marina sits on the shore the chart draws
nearest that centre, and its position is that shore point on the real coast (GSHHG, full resolution).
Writes, for the demo generator and tools/maps/check_places.py:

  mark-places.csv   each marina: the mark's centre on the real coast (chart_lat, chart_lon) and the
                    marina's position on the shore (lat, lon), degrees, with the distance between them (km)
  shore/*.png       each map's real coast, unwarped: water white, land black, MASK_SCALE pixels to a pixel
                    of the 1x picture, with SHORE_MARGIN pixels round the picture (what check_places.py
                    reads the shore and the ways by water from)

The distances by water between the marinas (sea-miles.csv) are sea_miles.py's, over the whole coast: run it after
this script whenever a marina's place changes.

    tools/maps/place_marks.py        (needs what draw_charts.py needs)
"""
import csv
import os
import shutil
import sys
import tempfile

import numpy as np
from PIL import Image
from scipy import ndimage
from scipy.spatial import cKDTree

from harbours import mark_targets, read_harbours

from chartlib import (HERE, KEPT_OFF_SHORE, MASK_SCALE, NAMES, SHORE_FOLDER, SHORE_MARGIN, coast_of, km_per_px, mark_centre, read_csv_rows, read_marks,
                      read_warps, read_windows, require_full_resolution, shore_window, water_mask, window_of)

PLACES_CSV = os.path.join(HERE, "mark-places.csv")


def densified(lines, step=0.25):
    """The points of the lines, none more than `step` pixels from the next."""
    out = []
    for a in lines:
        seg = np.diff(a, axis=0)
        n = np.maximum(1, np.ceil(np.hypot(seg[:, 0], seg[:, 1]) / step).astype(int))
        for (x0, y0), (dx, dy), k in zip(a[:-1], seg, n):
            t = np.arange(k) / k
            out.append(np.column_stack([x0 + dx * t, y0 + dy * t]))
        out.append(a[-1:])
    return np.vstack(out) if out else np.zeros((0, 2))


def shore_points(window):
    """The water's edge of a map's real coast (the shore of the sea and of lakes and double-lined rivers, and the
    canals), pixels of its unwarped 1x picture."""
    coast = coast_of(window)
    return densified(coast.line_set("shore", (1, 2)) + coast.line_set("river", (9, 10, 11)))


def edge_km(water, window):
    """How far points of the unwarped picture lie from the water's edge of the shore mask, km (a function of the
    points): a shore point on a creek narrower than the mask's pixels lies off the edge the place check reads."""
    side = ndimage.distance_transform_edt(water) + ndimage.distance_transform_edt(~water)
    km = km_per_px(window) / MASK_SCALE

    def of(pts):
        ix = np.clip(((pts[:, 0] + SHORE_MARGIN) * MASK_SCALE).astype(int), 0, water.shape[1] - 1)
        iy = np.clip(((pts[:, 1] + SHORE_MARGIN) * MASK_SCALE).astype(int), 0, water.shape[0] - 1)
        return side[iy, ix] * km

    return of


def place_marks(name, window, warp, marks, water=None):
    """[(marina, mark, chart lon/lat, shore lon/lat, km)] for the marks of one map. The marina lies on the shore
    the chart shows under its mark: of the real shore within PLACE_REACH_KM of the mark's place, the point nearest
    its harbour's own shore (the point the warp was fitted to draw there); where no shore is that near, the shore
    the chart draws nearest the mark. Of those, only points on the edge of the shore mask `water` the place check
    reads, where it is given and any are. A marina the chart's bound keeps from its town's shore (KEPT_OFF_SHORE)
    lies at the point of its harbour's shore that the warp was fitted to."""
    real = shore_points(window)
    tree = cKDTree(real)
    drawn = cKDTree(np.column_stack(warp.forward(real[:, 0], real[:, 1])) if warp else real)
    targets = mark_targets(window, marks, read_harbours())
    reach = PLACE_REACH_KM / km_per_px(window)
    edge = edge_km(water, window) if water is not None else None
    out = []
    for m in marks:
        p = np.array(mark_centre(m))
        s = warp.shift(p[0], p[1]) if warp else (0.0, 0.0)
        q = p - np.array([float(s[0]), float(s[1])])  # the mark's place in the unwarped picture
        chart = window.to_geo(*q)
        near = tree.query_ball_point(q, reach)
        if near and edge:
            on_edge = [k for k, e in zip(near, edge(real[near])) if e <= EDGE_KM]
            near = on_edge or near
        if m[1] in KEPT_OFF_SHORE and m[1] in targets:
            j = tree.query(targets[m[1]])[1]
        elif near and m[1] in targets:
            t = np.array(targets[m[1]])
            j = min(near, key=lambda k: np.hypot(*(real[k] - t)))
        else:
            j = drawn.query(p)[1]
        shore = window.to_geo(*real[j])
        out.append((m[1], m[0], chart, shore, km_between(chart, shore)))
    return out


# How far from the mark's place the marina may lie on its harbour's shore: inside the check's 0.5 km.
PLACE_REACH_KM = 0.45
# How far from the shore mask's water's edge a marina's point may lie: inside the place check's 0.1 km.
EDGE_KM = 0.07


def km_between(a, b):
    """Kilometres between two points (lon, lat) a few km apart."""
    lat = np.radians((a[1] + b[1]) / 2)
    dx = (a[0] - b[0]) * np.cos(lat) * 111.32
    dy = (a[1] - b[1]) * 110.57
    return float(np.hypot(dx, dy))


def write_shore(name, water):
    """Writes the map's real coast as a mask."""
    Image.fromarray(water).convert("1").save(os.path.join(SHORE_FOLDER, name + ".png"), optimize=True)


def main(argv):
    require_full_resolution()
    only = [a for a in argv[1:] if not a.startswith("-")]
    marks, windows, warps = read_marks(), read_windows(), read_warps()
    os.makedirs(SHORE_FOLDER, exist_ok=True)
    rows = {}
    if os.path.exists(PLACES_CSV):
        for r in read_csv_rows(PLACES_CSV):
            rows[int(r["marina_no"])] = r
    tmp = tempfile.mkdtemp(prefix="quaywise-places-")
    try:
        for name in NAMES:
            if only and name not in only:
                continue
            window = window_of(name, windows)
            water = water_mask(shore_window(window), MASK_SCALE, folder=tmp)
            placed = place_marks(name, window, warps.get(name), marks[name], water)
            for no, mark, chart, shore, km in placed:
                rows[no] = {"marina_no": no, "window": name, "mark": mark, "chart_lat": "%.5f" % chart[1],
                            "chart_lon": "%.5f" % chart[0], "lat": "%.5f" % shore[1], "lon": "%.5f" % shore[0], "km": "%.2f" % km}
            write_shore(name, water)
            worst = max(placed, key=lambda p: p[4])
            print("%-15s %2d marks, farthest from its shore point %.2f km (%s)" % (name, len(placed), worst[4], worst[1]), flush=True)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    order = {no: (NAMES.index(r["window"]), int(r["mark"][3:])) for no, r in rows.items()}
    with open(PLACES_CSV, "w", newline="") as f:
        f.write("# Each demo marina's place, by place_marks.py: the mark's centre taken back through its map's warp and window\n"
                "# to the real coast (chart_lat, chart_lon) and the shore the chart draws nearest it (lat, lon: the marina's\n"
                "# position), degrees; km between them.\n")
        out = csv.DictWriter(f, ["marina_no", "window", "mark", "chart_lat", "chart_lon", "lat", "lon", "km"], lineterminator="\n")
        out.writeheader()
        for no in sorted(rows, key=lambda n: order[n]):
            out.writerow(rows[no])

if __name__ == "__main__":
    sys.exit(main(sys.argv))
