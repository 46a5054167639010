#!/usr/bin/python3
"""Fits each sub-region map's window (centre and scale in Mercator, aspect fixed
by the 600 x 492 picture) so that the marks of map-marks.csv sit on the GSHHG
shoreline, starting from the windows in map-windows.csv, and writes the fitted
windows back with the median and 90th-percentile distance of a mark to the shore.

    tools/maps/fit_windows.py [--keep-window] [WINDOW ...]   (needs gmt, python3-numpy, python3-scipy)

Marks that no window puts on the shore are laid anew: anchored groups (anchors.csv)
move onto their harbours, any other mark to the nearest free place on the shore;
map-marks.csv and the map table of src/maps are rewritten with their rectangles.
--keep-window keeps the windows as they stand and only lays marks anew.
"""
import csv
import math
import os
import re
import sys

import numpy as np
from scipy.optimize import minimize

from chartlib import (HOT_AREAS, NAMES, OVERVIEW_H, OVERVIEW_W, E, HERE, MAP_H, MAP_W, MARKS_CSV, ROOT, TITLES, TWIPS, WINDOWS_CSV, Window, mark_centre, merc_lat, merc_y, read_marks,
                      read_windows, shoreline)


def read_anchors():
    """Harbours that groups of marks stand for: {window: [([marks], lon, lat)]} from anchors.csv."""
    out = {}
    with open(os.path.join(HERE, "anchors.csv")) as f:
        for r in csv.DictReader(row for row in f if not row.startswith("#")):
            out.setdefault(r["window"], []).append((r["marks"].split(), float(r["lon"]), float(r["lat"])))
    return out


def np_merc_y(lat):
    p = np.radians(lat)
    es = E * np.sin(p)
    return np.degrees(np.log(np.tan(np.pi / 4 + p / 2) * ((1 - es) / (1 + es)) ** (E / 2)))


class Shore:
    def __init__(self, window, pad=0.6):
        dw = (window.east - window.west) * pad
        dh = (window.north - window.south) * pad
        segs = shoreline("%.5f/%.5f/%.5f/%.5f" % (window.west - dw, window.east + dw, window.south - dh, window.north + dh))
        a, b = [], []
        for s in segs:
            s = np.asarray(s)
            a.append(s[:-1])
            b.append(s[1:])
        a, b = np.vstack(a), np.vstack(b)
        self.ax, self.bx = a[:, 0], b[:, 0]
        self.ay, self.by = np_merc_y(a[:, 1]), np_merc_y(b[:, 1])

    def nearest(self, window, p):
        """The nearest shore point to pixel point p."""
        k, yn = window.k, merc_y(window.north)
        ax, bx = (self.ax - window.west) * k, (self.bx - window.west) * k
        ay, by = (yn - self.ay) * k, (yn - self.by) * k
        dx, dy = bx - ax, by - ay
        ll = dx * dx + dy * dy
        t = np.clip(((p[0] - ax) * dx + (p[1] - ay) * dy) / np.where(ll > 0, ll, 1), 0, 1)
        cx, cy = ax + t * dx, ay + t * dy
        i = int(np.argmin((cx - p[0]) ** 2 + (cy - p[1]) ** 2))
        return cx[i], cy[i]

    def distances(self, window, pts):
        """Pixel distance from each (x, y) pixel point to the nearest shore segment."""
        k, yn = window.k, merc_y(window.north)
        ax, bx = (self.ax - window.west) * k, (self.bx - window.west) * k
        ay, by = (yn - self.ay) * k, (yn - self.by) * k
        px, py = pts[:, 0:1], pts[:, 1:2]
        dx, dy = bx - ax, by - ay
        ll = dx * dx + dy * dy
        t = np.clip(((px - ax) * dx + (py - ay) * dy) / np.where(ll > 0, ll, 1), 0, 1)
        cx, cy = ax + t * dx, ay + t * dy
        return np.sqrt(((px - cx) ** 2 + (py - cy) ** 2).min(axis=1))


def window_of(params, base):
    lon0, lat0, k0 = base
    dx, dy, lk = params
    k = k0 * np.exp(lk)
    lon = lon0 + dx / k0
    lat = merc_lat(merc_y(lat0) - dy / k0)
    return Window.from_centre(lon, lat, k)


def fit(name, start, marks, anchors):
    index = {m[0]: i for i, m in enumerate(marks)}
    grouped = {index[mark] for group, _, _ in anchors for mark in group}
    all_pts = np.array([mark_centre(m) for m in marks])
    pts = np.array([p for i, p in enumerate(all_pts) if i not in grouped])
    # A group's harbour should lie near where the group lies on the picture.
    anchored = [(all_pts[[index[m] for m in group]].mean(axis=0), lon, lat) for group, lon, lat in anchors]
    base = ((start.west + start.east) / 2, merc_lat((merc_y(start.south) + merc_y(start.north)) / 2), start.k)
    shore = Shore(start)

    def loss(p):
        w = window_of(p, base)
        d = shore.distances(w, pts)
        pull = 0.0
        for (cx, cy), lon, lat in anchored:
            x, y = w.to_px(lon, lat)
            pull += ((x - cx) ** 2 + (y - cy) ** 2) / 400.0
        return float(np.log1p((d / 2.0) ** 2).sum()) + pull

    best = None
    for lk in np.log([0.72, 0.8, 0.9, 1.0, 1.1]):
        for dx in (-30, 0, 30):
            for dy in (-30, 0, 30):
                r = minimize(loss, [dx, dy, lk], method="Nelder-Mead",
                             options={"xatol": 0.05, "fatol": 1e-4, "maxiter": 600, "initial_simplex":
                                      np.array([[dx, dy, lk], [dx + 8, dy, lk], [dx, dy + 8, lk], [dx, dy, lk + 0.05]])})
                if best is None or r.fun < best.fun:
                    best = r
    return window_of(best.x, base), shore


GRID = 8  # mark Left and Top are multiples of 120 twips


def relay(name, w, marks, shore, anchors, far=6.0):
    """Lays anew the rectangles of marks that do not sit on the shore in window w:
    each anchored group moves as one onto its harbour, any other mark farther than
    `far` pixels from the shore moves to the nearest grid place on it. Returns
    {mark: (left, top)} in twips for the marks that moved."""
    index = {m[0]: i for i, m in enumerate(marks)}
    title = TITLES[name]
    moved = {}

    def place(m, cx, cy):
        """The grid place of mark m nearest the shore around centre (cx, cy), pixels."""
        _, _, _, l, t, wd, ht = m
        wpx, hpx = wd / TWIPS, ht / TWIPS
        best = None
        for gx in range(-4, 5):
            for gy in range(-4, 5):
                left = (round((cx - wpx / 2) / GRID) + gx) * GRID
                top = (round((cy - hpx / 2) / GRID) + gy) * GRID
                if left < 0 or top < 0 or left + wpx > MAP_W or top + hpx > MAP_H:
                    continue
                box = (left * TWIPS, top * TWIPS, wd, ht)
                if overlaps_twips(box, title) or any(overlap_area(box, o) > 255 * 15 for o in placed(m)):
                    continue
                c = np.array([[left + wpx / 2, top + hpx / 2]])
                d = float(shore.distances(w, c)[0]) + 0.05 * math.hypot(c[0][0] - cx, c[0][1] - cy)
                if best is None or d < best[0]:
                    best = (d, int(left * TWIPS), int(top * TWIPS))
        return best

    def placed(m):
        """Where the other marks lie now, twips."""
        out = []
        for o in marks:
            if o[0] == m[0]:
                continue
            left, top = moved.get(o[0], (o[3], o[4]))
            out.append((left, top, o[5], o[6]))
        return out

    for group, lon, lat in anchors:
        x, y = w.to_px(lon, lat)
        centre = np.array([mark_centre(marks[index[g]]) for g in group]).mean(axis=0)
        dx, dy = round((x - centre[0]) / GRID) * GRID, round((y - centre[1]) / GRID) * GRID
        for g in group:
            _, _, _, l, t, _, _ = marks[index[g]]
            moved[g] = (int(l + dx * TWIPS), int(t + dy * TWIPS))
    for i, m in enumerate(marks):
        if m[0] in moved:
            continue
        c = np.array([mark_centre(m)])
        if shore.distances(w, c)[0] <= far:
            continue
        px, py = shore.nearest(w, c[0])
        p = place(m, px, py)
        if p:
            moved[m[0]] = (p[1], p[2])
    return moved


def overlap_area(a, b):
    w = min(a[0] + a[2], b[0] + b[2]) - max(a[0], b[0])
    h = min(a[1] + a[3], b[1] + b[3]) - max(a[1], b[1])
    return w * h if w > 0 and h > 0 else 0


def overlaps_twips(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def fit_overview(marks, windows):
    """The overview's window: each hot area centred on the marinas of its sub-region."""
    targets, centres = [], []
    for k, name in enumerate(NAMES):
        r = windows[name]
        w = Window(*[float(r[c]) for c in ("west", "east", "south", "north")])
        geo = np.array([w.to_geo(*mark_centre(m)) for m in marks[name]]).mean(axis=0)
        l, t, wd, ht = HOT_AREAS[k]
        targets.append(((l + wd / 2) / TWIPS, (t + ht / 2) / TWIPS))
        centres.append(geo)
    targets = np.array(targets)

    def place(p):
        return Window.from_centre(p[0], p[1], p[2], OVERVIEW_W, OVERVIEW_H)

    def loss(p):
        w = place(p)
        return float(sum((np.array(w.to_px(lon, lat)) - t) @ (np.array(w.to_px(lon, lat)) - t)
                         for (lon, lat), t in zip(centres, targets)))

    r = minimize(loss, [-69.9, 42.9, 100.0], method="Nelder-Mead", options={"maxiter": 4000, "xatol": 1e-5, "fatol": 1e-6})
    w = place(r.x)
    err = np.median([np.hypot(*(np.array(w.to_px(lon, lat)) - t)) for (lon, lat), t in zip(centres, targets)])
    return w, err


def write_marks(marks):
    """Writes the marks back to map-marks.csv and into the map table of src/maps, rows in their order."""
    by_no = {m[1]: m for ms in marks.values() for m in ms}
    with open(MARKS_CSV) as f:
        lines = f.read().splitlines()
    out = [lines[0]]
    for line in lines[1:]:
        f = line.split(",")
        m = by_no[int(f[4])]
        out.append(",".join(f[:5] + [str(m[3]), str(m[4]), str(m[5]), str(m[6])]))
    with open(MARKS_CSV, "w") as f:
        f.write("\n".join(out) + "\n")
    table = os.path.join(ROOT, "src", "maps", "map_table.cpp")
    with open(table) as f:
        text = f.read()
    for no, m in by_no.items():
        text = re.sub(r"\{(\d+), %d, \{\d+, \d+, \d+, \d+\}\}" % no,
                      lambda g: "{%s, %d, {%d, %d, %d, %d}}" % (g.group(1), no, m[3], m[4], m[5], m[6]), text)
    with open(table, "w") as f:
        f.write(text)


def main(argv):
    marks = read_marks()
    windows = read_windows()
    anchors = read_anchors()
    keep = "--keep-window" in argv
    only = set(a for a in argv[1:] if not a.startswith("--"))
    rows = []
    for name, r in windows.items():
        if name == "frmOverviewChart":
            continue
        start = Window(float(r["west"]), float(r["east"]), float(r["south"]), float(r["north"]))
        if r.get("projection", "mercator") != "mercator":
            # A first fit in another projection: keep its centre and east-west scale.
            lat = (start.south + start.north) / 2
            start = Window.from_centre((start.west + start.east) / 2, lat, start.k)
        if only and name not in only:
            w, shore = start, Shore(start)
        else:
            w, shore = (start, Shore(start)) if keep else fit(name, start, marks[name], anchors.get(name, []))
            for mark, (left, top) in relay(name, w, marks[name], shore, anchors.get(name, [])).items():
                i = [m[0] for m in marks[name]].index(mark)
                old = marks[name][i]
                print("  %s %s moved from %d,%d to %d,%d" % (name, mark, old[3], old[4], left, top))
                marks[name][i] = old[:3] + (left, top) + old[5:]
        d = shore.distances(w, np.array([mark_centre(m) for m in marks[name]]))
        far = [marks[name][i][0] for i in np.argsort(-d)[:4] if d[i] > 6]
        print("%-15s median %5.2f px  p90 %6.2f px  far: %s" % (name, np.median(d), np.percentile(d, 90), " ".join(far)))
        rows.append({"window": name, "geo_code": r["geo_code"], "projection": "mercator",
                     "west": "%.5f" % w.west, "east": "%.5f" % w.east, "south": "%.5f" % w.south, "north": "%.5f" % w.north,
                     "median_px": "%.2f" % np.median(d), "p90_px": "%.2f" % np.percentile(d, 90)})
    if not only or "frmOverviewChart" in only:
        w, err = fit_overview(marks, windows)
        print("%-15s hot areas off their sub-regions' centres by %.1f px (median)" % ("frmOverviewChart", err))
    else:
        r = windows["frmOverviewChart"]
        w = Window(*[float(r[k]) for k in ("west", "east", "south", "north")], OVERVIEW_W, OVERVIEW_H)
        err = float(r["median_px"])
    rows.insert(0, {"window": "frmOverviewChart", "geo_code": "0", "projection": "mercator",
                    "west": "%.5f" % w.west, "east": "%.5f" % w.east, "south": "%.5f" % w.south, "north": "%.5f" % w.north,
                    "median_px": "%.2f" % err, "p90_px": ""})
    write_marks(marks)
    with open(WINDOWS_CSV, "w", newline="") as f:
        f.write("# Sub-region map windows (degrees; Mercator on WGS-84, 600 x 492 pixels), fitted by fit_windows.py;\n"
                "# median_px and p90_px: distance of the map's marks to the GSHHG shoreline, in pixels.\n")
        out = csv.DictWriter(f, fieldnames=list(rows[0].keys()), lineterminator="\n")
        out.writeheader()
        out.writerows(rows)


if __name__ == "__main__":
    main(sys.argv)
