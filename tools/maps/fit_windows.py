#!/usr/bin/python3
"""Fits each sub-region map's window (centre and scale in Mercator, aspect fixed
by the 600 x 492 picture) so that the marks of map-marks.csv sit on the GSHHG
shoreline, starting from the windows in map-windows.csv, and writes the fitted
windows back with the median and 90th-percentile distance of a mark to the shore.

    tools/maps/fit_windows.py [WINDOW ...]      (needs gmt, python3-numpy, python3-scipy)
"""
import csv
import sys

import numpy as np
from scipy.optimize import minimize

from chartlib import (E, MAP_H, MAP_W, WINDOWS_CSV, Window, mark_centre, merc_lat, merc_y, read_marks,
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
        d = shore.distances(window_of(p, base), pts)
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
    w = window_of(best.x, base)
    d = shore.distances(w, pts)
    return w, d


def main(argv):
    marks = read_marks()
    windows = read_windows()
    only = set(argv[1:])
    rows = []
    for name, r in windows.items():
        start = Window(float(r["west"]), float(r["east"]), float(r["south"]), float(r["north"]))
        if r.get("projection", "mercator") != "mercator":
            # A first fit in another projection: keep its centre and east-west scale.
            lat = (start.south + start.north) / 2
            start = Window.from_centre((start.west + start.east) / 2, lat, start.k)
        if only and name not in only:
            w, d = start, Shore(start).distances(start, np.array([mark_centre(m) for m in marks[name]]))
        else:
            w, d = fit(name, start, marks[name])
        far = [marks[name][i][0] for i in np.argsort(-d)[:4] if d[i] > 6]
        print("%-15s median %5.2f px  p90 %6.2f px  far: %s" % (name, np.median(d), np.percentile(d, 90), " ".join(far)))
        rows.append({"window": name, "geo_code": r["geo_code"], "projection": "mercator",
                     "west": "%.5f" % w.west, "east": "%.5f" % w.east, "south": "%.5f" % w.south, "north": "%.5f" % w.north,
                     "median_px": "%.2f" % np.median(d), "p90_px": "%.2f" % np.percentile(d, 90)})
    with open(WINDOWS_CSV, "w", newline="") as f:
        f.write("# Sub-region map windows (degrees; Mercator on WGS-84, 600 x 492 pixels), fitted by fit_windows.py;\n"
                "# median_px and p90_px: distance of the map's marks to the GSHHG shoreline, in pixels.\n")
        out = csv.DictWriter(f, fieldnames=list(rows[0].keys()), lineterminator="\n")
        out.writeheader()
        out.writerows(rows)


if __name__ == "__main__":
    main(sys.argv)
