#!/usr/bin/python3
"""Fits each sub-region map's window (centre and scale in Mercator, aspect fixed
by the 600 x 492 picture) so that the marks of the program's map table sit on the GSHHG
shoreline, starting from the windows in map-windows.csv, and writes the windows
back with the median and 90th-percentile distance of a mark to the shore.

    tools/maps/fit_windows.py [--keep-window] [WINDOW ...]   (needs gmt, python3-numpy, python3-scipy)

The marks are given and never move: only the windows are chosen. A window whose
`set` column reads "hand" was chosen by hand (where the fit settles on the wrong
stretch of coast) and is only measured, unless it is named on the command line.
--keep-window measures every window as it stands.
"""
import csv
import sys

import numpy as np
from scipy.optimize import minimize

from chartlib import (HOT_AREAS, NAMES, OVERVIEW_H, OVERVIEW_W, E, TWIPS, WINDOWS_CSV, LonLatWindow, Window, mark_centre, merc_lat, merc_y, read_marks,
                      read_windows, shoreline)


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


def fit(name, start, marks):
    pts = np.array([mark_centre(m) for m in marks])
    base = ((start.west + start.east) / 2, merc_lat((merc_y(start.south) + merc_y(start.north)) / 2), start.k)
    shore = Shore(start)

    def loss(p):
        w = window_of(p, base)
        d = shore.distances(w, pts)
        return float(np.log1p((d / 2.0) ** 2).sum())

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


def fit_overview(marks, windows):
    """The overview's window, in plain longitude and latitude: each hot area centred on the marinas of its sub-region."""
    targets, centres = [], []
    for k, name in enumerate(NAMES):
        r = windows[name]
        w = Window.of_row(r)
        geo = np.array([w.to_geo(*mark_centre(m)) for m in marks[name]]).mean(axis=0)
        l, t, wd, ht = HOT_AREAS[k]
        targets.append(((l + wd / 2) / TWIPS, (t + ht / 2) / TWIPS))
        centres.append(geo)
    targets = np.array(targets)

    def place(p):
        return LonLatWindow.from_centre(p[0], p[1], p[2], OVERVIEW_W, OVERVIEW_H)

    def loss(p):
        w = place(p)
        return float(sum((np.array(w.to_px(lon, lat)) - t) @ (np.array(w.to_px(lon, lat)) - t)
                         for (lon, lat), t in zip(centres, targets)))

    r = minimize(loss, [-69.9, 42.9, 100.0], method="Nelder-Mead", options={"maxiter": 4000, "xatol": 1e-5, "fatol": 1e-6})
    w = place(r.x)
    err = np.median([np.hypot(*(np.array(w.to_px(lon, lat)) - t)) for (lon, lat), t in zip(centres, targets)])
    return w, err


def main(argv):
    marks = read_marks()
    windows = read_windows()
    keep = "--keep-window" in argv
    only = set(a for a in argv[1:] if not a.startswith("--"))
    rows = []
    for name, r in windows.items():
        if name == "frmOverviewChart":
            continue
        start = Window.of_row(r)
        by_hand = r.get("set") == "hand"
        refit = not keep and (name in only if only else not by_hand)
        w, shore = fit(name, start, marks[name]) if refit else (start, Shore(start))
        d = shore.distances(w, np.array([mark_centre(m) for m in marks[name]]))
        far = ["%s %.0f" % (marks[name][i][0], d[i]) for i in np.argsort(-d)[:4] if d[i] > 6]
        print("%-15s %-6s median %5.2f px  p90 %6.2f px  far: %s" % (name, "fitted" if refit else "kept", np.median(d),
                                                                   np.percentile(d, 90), ", ".join(far)), flush=True)
        rows.append({"window": name, "geo_code": r["geo_code"], "projection": "mercator",
                     "west": "%.5f" % w.west, "east": "%.5f" % w.east, "south": "%.5f" % w.south, "north": "%.5f" % w.north,
                     "median_px": "%.2f" % np.median(d), "p90_px": "%.2f" % np.percentile(d, 90),
                     "set": "hand" if by_hand else "fitted"})
    r = windows["frmOverviewChart"]
    if keep or (only and "frmOverviewChart" not in only):
        w = Window.of_row(r, OVERVIEW_W, OVERVIEW_H)
        err = float(r["median_px"])
    else:
        w, err = fit_overview(marks, {row["window"]: row for row in rows})
        print("%-15s hot areas off their sub-regions' centres by %.1f px (median)" % ("frmOverviewChart", err))
    rows.insert(0, {"window": "frmOverviewChart", "geo_code": "0", "projection": "lonlat" if isinstance(w, LonLatWindow) else "mercator",
                    "west": "%.5f" % w.west, "east": "%.5f" % w.east, "south": "%.5f" % w.south, "north": "%.5f" % w.north,
                    "median_px": "%.2f" % err, "p90_px": "", "set": "fitted"})
    with open(WINDOWS_CSV, "w", newline="") as f:
        f.write("# Map windows (degrees) by fit_windows.py: the sub-region maps (600 x 492 pixels) in Mercator on WGS-84, the\n"
                "# overview (447 x 480) in plain longitude and latitude (lonlat); set: fitted, or\n"
                "# hand where the fit settles on the wrong stretch of coast; median_px and p90_px: distance of the map's\n"
                "# marks to the GSHHG shoreline, in pixels (the overview: of its hot areas from their sub-regions).\n")
        out = csv.DictWriter(f, fieldnames=list(rows[0].keys()), lineterminator="\n")
        out.writeheader()
        out.writerows(rows)


if __name__ == "__main__":
    main(sys.argv)
