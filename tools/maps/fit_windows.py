#!/usr/bin/python3
"""Fits each sub-region map's window (centre and scale in Mercator, aspect fixed by the 600 x 492 picture) and
its warp, a smooth local shift of the coast (map-warps.csv), so that each mark of the program's map table sits on
the water's edge the chart draws, within PLACE_KM of the real shore, with no warp folding the chart.

    tools/maps/fit_windows.py --harbours [--harbours-refit] [WINDOW ...]
    tools/maps/fit_windows.py [--keep-window] [--search] [WINDOW ...]
    tools/maps/fit_windows.py --touch [WINDOW ...]                      (needs what draw_charts.py needs)

--harbours: the warp draws each mark's marina on the shore of its harbour in the generator's harbour table
(tools/maps/harbours.py): the marks of a harbour on the points of its shore nearest where the window alone shows
them, moved alike; then small bumps bring the last pixels of shore under any mark still off it. --harbours-refit
first fits the window itself to those points (least squares over a scale and a shift).
Without it: the window and warp only put the marks on some shore (the window is refined near the one
map-windows.csv holds; --search looks over a wide range; --keep-window keeps it). --touch adds only the last
small bumps to the warp a map has.

The marks are given and never move. The overview's window is kept: its hot areas were laid over its picture.
"""
import sys

import numpy as np
from scipy import ndimage
from scipy.optimize import minimize

from harbours import landmark_warp, mark_targets, read_harbours
from chartlib import (MIN_STRETCH, NAMES, WINDOWS_CSV, Target, Warp, Window, km_per_px, mark_centre, read_marks, read_warps,
                      read_windows, require_full_resolution, sample, signed_distance, warp_limit, water_mask, write_warps)

WARP_SIGMA = 22.0


class Aim:
    """Where the fit aims a mark: inside its map's target by a margin, so that the drawn chart keeps it there."""

    def __init__(self, window):
        t = Target(window)
        self.target = t
        self.land = max(1.0, min(t.land - 1.0, 0.8 * t.land))
        self.sea = max(1.5, min(t.sea - 2.0, 0.8 * t.sea))

    def excess(self, d):
        """How far a mark at signed distance d from the shore lies outside its aim, pixels."""
        return np.maximum(0, d - self.land) + np.maximum(0, -self.sea - d)


def cost(d, limit, aim):
    """A window's cost of its marks: most of all the mark farthest outside its aim, beyond what a warp can
    bring back, then how far the marks lie outside their aim, and a little for any distance from the shore
    line, where marinas lie."""
    e = aim.excess(d)
    return float(1000.0 * max(0.0, e.max() - (limit - 3)) + (np.minimum(e, 30) ** 2).sum()
                 + 0.05 * (np.minimum(np.abs(d), 20) ** 2).sum())


class Field:
    """The signed distance from the shore around a start window, in pixels of that window."""
    GROW, SCALE = 3.0, 2

    def __init__(self, start):
        self.start = start
        self.big = start.grown(self.GROW)
        self.sd = signed_distance(water_mask(self.big, self.SCALE), self.SCALE)
        self.off = np.array([(self.big.w - start.w) / 2, (self.big.h - start.h) / 2])

    def distances(self, pts, dx, dy, r):
        """Signed distances of the marks (pixels of the candidate) in the window moved by (dx, dy) pixels of
        the start window and scaled by r."""
        c = np.array([self.start.w / 2, self.start.h / 2])
        q = self.off + c + np.array([dx, dy]) + (pts - c) / r
        return sample(self.sd, self.SCALE, q) * r

    def window(self, dx, dy, r):
        lon, lat = self.start.to_geo(self.start.w / 2 + dx, self.start.h / 2 + dy)
        return Window.from_centre(lon, lat, self.start.k * r)


def coarse_search(field, pts, reach, scales, limit, aim):
    """Every move within `reach` pixels (step 2) at each scale, on the nearest field pixel: the best few."""
    s = Field.SCALE
    sd = field.sd
    c = np.array([field.start.w / 2, field.start.h / 2])
    steps = np.arange(-reach, reach + 1, 2.0)
    best = []
    for r in scales:
        rel = (pts - c) / r                                     # n x 2
        gx = field.off[0] + c[0] + steps[:, None] + rel[None, :, 0]  # moves x marks
        gy = field.off[1] + c[1] + steps[:, None] + rel[None, :, 1]
        ix = np.clip(np.round(gx * s - 0.5).astype(int), 0, sd.shape[1] - 1)
        iy = np.clip(np.round(gy * s - 0.5).astype(int), 0, sd.shape[0] - 1)
        d = sd[iy[:, None, :], ix[None, :, :]] * r               # dy x dx x marks
        e = aim.excess(d)
        score = 1000.0 * np.maximum(0, e.max(axis=2) - (limit - 3)) + (np.minimum(e, 30) ** 2).sum(axis=2)
        flat = np.argsort(score, axis=None)[:3]
        for f in flat:
            iy0, ix0 = np.unravel_index(f, score.shape)
            best.append((float(score[iy0, ix0]), steps[ix0], steps[iy0], r))
    best.sort()
    return best[:8]


def fit(name, start, marks, wide):
    pts = np.array([mark_centre(m) for m in marks])
    field = Field(start)
    limit = warp_limit(name)
    aim = Aim(start)
    starts = [(0.0, 0.0, 0.0, 1.0)]
    if wide:
        starts += coarse_search(field, pts, 280, np.exp(np.linspace(np.log(0.5), np.log(2.6), 32)), limit, aim)
    else:
        starts += coarse_search(field, pts, 40, np.exp(np.linspace(np.log(0.85), np.log(1.18), 9)), limit, aim)

    def loss(p):
        return cost(field.distances(pts, p[0], p[1], np.exp(p[2])), limit, aim)

    found = []
    for _, dx, dy, r in starts:
        res = minimize(loss, [dx, dy, np.log(r)], method="Nelder-Mead",
                       options={"xatol": 0.02, "fatol": 1e-4, "maxiter": 800,
                                "initial_simplex": np.array([[dx, dy, np.log(r)], [dx + 6, dy, np.log(r)], [dx, dy + 6, np.log(r)],
                                                             [dx, dy, np.log(r) + 0.04]])})
        if not any(np.abs(res.x[:2] - f.x[:2]).max() < 3 and abs(res.x[2] - f.x[2]) < 0.01 for f in found):
            found.append(res)
    found.sort(key=lambda f: f.fun)
    return [field.window(f.x[0], f.x[1], np.exp(f.x[2])) for f in found]


def aim_shift(sd, scale, p, d, aim, depth=1.5):
    """How far the chart under a mark at p (signed distance d) must move for the mark to reach its aim: from
    the nearest water a pixel and a half in for an inland mark, from the nearest land for one out at sea,
    stopping short of the mark by a few pixels of water."""
    ys, xs = np.nonzero((sd <= -depth) if d > 0 else (sd >= 1.0))
    j = int(np.argmin((xs / scale - p[0]) ** 2 + (ys / scale - p[1]) ** 2))
    u = np.array([p[0] - (xs[j] + 0.5) / scale, p[1] - (ys[j] + 0.5) / scale])
    if d < 0:
        u *= max(0.0, 1 - max(0.5, aim.sea - 2) / max(np.hypot(*u), 1e-6))
    return u


class WarpedShore:
    """The signed distances of the marks from the shore as a warp draws it: the shore points near the marks,
    moved where the warp shows them, and each mark's side read where the warp takes what it shows from."""
    REACH = 60.0  # pixels round a mark within which the shore is followed

    def __init__(self, sd, scale, pts):
        self.sd, self.scale, self.pts = sd, scale, pts
        land = sd > 0
        edge = land & ~ndimage.binary_erosion(land, border_value=1)
        ys, xs = np.nonzero(edge)
        q = np.unique(np.round(np.column_stack([(xs + 0.5) / scale, (ys + 0.5) / scale]) * 2) / 2, axis=0)
        near = np.zeros(len(q), bool)
        for p in pts:
            near |= np.hypot(q[:, 0] - p[0], q[:, 1] - p[1]) < self.REACH
        self.q = q[near]

    def distances(self, warp):
        dx, dy = warp.shift(self.pts[:, 0], self.pts[:, 1])
        side = np.sign(sample(self.sd, self.scale, np.column_stack([self.pts[:, 0] - dx, self.pts[:, 1] - dy])))
        if not len(self.q):
            return side * self.REACH
        # A shore point q shows at p where p - shift(p) = q: a few steps of p = q + shift(p).
        mx, my = warp.forward(self.q[:, 0], self.q[:, 1])
        dist = np.sqrt(((self.pts[:, 0:1] - mx[None, :]) ** 2 + (self.pts[:, 1:2] - my[None, :]) ** 2).min(axis=1))
        return side * np.minimum(dist, self.REACH)


def fit_warp(window, marks, limit, sigma=WARP_SIGMA):
    """Gaussian shifts at the marks that the window leaves off the water. A first guess moves each such mark's
    chart by what it needs and every other mark's by as little as can be (least squares); then the shifts are
    refined on the shore as they draw it, each mark aiming inside its target and none shifting the chart
    farther than the limit or squeezing it below MIN_STRETCH, with a stricter aim for a mark the drawn chart
    still leaves off."""
    pts = np.array([mark_centre(m) for m in marks])
    scale = 4
    aim = Aim(window)
    target = aim.target
    sd = signed_distance(water_mask(window, scale), scale)
    d0 = sample(sd, scale, pts)
    need = [i for i in range(len(pts)) if d0[i] > target.land - 0.5 or d0[i] < 0.5 - target.sea]
    if not need:
        return Warp()
    # One anchor for marks close together: bumps side by side pulling apart would fold the chart.
    groups = []
    for i in need:
        g = next((g for g in groups if min(np.hypot(*(pts[i] - pts[j])) for j in g) < 0.5 * sigma), None)
        if g is None:
            groups.append([i])
        else:
            g.append(i)
    anchors = np.array([pts[g].mean(axis=0) for g in groups])
    others = ~np.isin(np.arange(len(pts)), need)
    shore = WarpedShore(sd, scale, pts)
    gy, gx = np.mgrid[-2 * sigma:2 * sigma + 1:4, -2 * sigma:2 * sigma + 1:4]
    probe = np.vstack([np.column_stack([gx.ravel() + a[0], gy.ravel() + a[1]]) for a in anchors])
    aim_land = np.full(len(need), aim.land)
    aim_sea = np.full(len(need), aim.sea)

    def warp_of(v):
        return Warp([(a[0], a[1], b[0], b[1], sigma) for a, b in zip(anchors, np.reshape(v, (-1, 2)))])

    def loss(v):
        w = warp_of(v)
        d = shore.distances(w)
        dn = d[need]
        miss = np.maximum(0, dn - aim_land) + np.maximum(0, -aim_sea - dn)
        spoil = np.maximum(0, d[others] - (target.land - 0.5)) + np.maximum(0, (0.5 - target.sea) - d[others])
        sx, sy = w.shift(probe[:, 0], probe[:, 1])
        big = np.hypot(sx, sy)
        # The chart may stretch or squeeze a little, never fold.
        squeeze = np.maximum(0, MIN_STRETCH + 0.1 - w.stretch(probe[:, 0], probe[:, 1]))
        return float(50 * (miss ** 2).sum() + 50 * (spoil ** 2).sum() + 0.01 * (np.square(v)).sum()
                     + 500 * (np.maximum(0, big - (limit - 0.5)) ** 2).sum() + 5000 * (squeeze ** 2).sum())

    k = np.exp(-((pts[:, None, 0] - anchors[None, :, 0]) ** 2 + (pts[:, None, 1] - anchors[None, :, 1]) ** 2)
               / (2 * sigma ** 2))
    weight = np.where(others, 0.3, 1.0)
    want = np.zeros((len(pts), 2))
    want[need] = np.array([aim_shift(sd, scale, pts[i], d0[i], aim) for i in need])
    a = k * weight[:, None]
    v = np.linalg.solve(a.T @ a + 0.02 * np.eye(len(anchors)), a.T @ (want * weight[:, None])).ravel()
    for _ in range(5):
        v = minimize(loss, v, method="Powell", options={"xtol": 0.01, "ftol": 1e-7, "maxfev": 12000}).x
        d = measure(window, warp_of(v), marks)[need]
        off = np.array([target.fails(x) for x in d])
        if not off.any():
            break
        aim_land[off & (d > 0)] -= 1.0
        aim_sea[off & (d < 0)] -= 1.0
        aim_land = np.maximum(aim_land, 0.3)
        aim_sea = np.maximum(aim_sea, 0.5)
    return touch_up(window, marks, warp_of(v), limit)


TOUCH_SIGMA = 4.0
TOUCH_STRETCH = 0.06


def touch_up(window, marks, warp, limit):
    """Small bumps at the marks a warp still leaves a little off the water, each moving the drawn chart under
    its mark the last few pixels to its aim; a bump is kept only where it leaves the marks nearer their target
    and squeezes the chart nowhere below MIN_STRETCH."""
    pts = np.array([mark_centre(m) for m in marks])
    scale = 4
    aim = Aim(window)
    target = aim.target

    def state(w):
        sd = signed_distance(water_mask(window, scale, w), scale)
        d = sample(sd, scale, pts)
        return sd, d, target.miss(d)

    sd, d, miss = state(warp)
    for depth in (1.0, 1.5, 3.0, 1.0, 2.0, 1.5, 1.0, 0.5):
        for i in [i for i in range(len(pts)) if target.fails(d[i])]:
            # The bump sits halfway between the mark and the water (or the land) it brings to it, so that it
            # moves that bit of shore and little else.
            u = aim_shift(sd, scale, pts[i], d[i], aim, depth)
            if d[i] < 0:
                ys, xs = np.nonzero(sd >= 1.0)
                j = int(np.argmin((xs / scale - pts[i][0]) ** 2 + (ys / scale - pts[i][1]) ** 2))
                full = pts[i] - np.array([(xs[j] + 0.5) / scale, (ys[j] + 0.5) / scale])
            else:
                full = u
            for grow in (1.0, 1.6, 2.5):
                sigma = grow * max(TOUCH_SIGMA, 0.8 * np.hypot(*full), 1.4 * np.hypot(*u))
                c = pts[i] - full / 2
                v = u / np.exp(-(np.hypot(*full) / 2) ** 2 / (2 * sigma ** 2))
                trial = Warp(warp.anchors + [(c[0], c[1], v[0], v[1], sigma)])
                if np.hypot(*v) > 20 or trial.largest_shift(window.w, window.h) > limit + 10:
                    continue
                # A last bump may squeeze its own few pixels of chart harder than a warp may, never fold them.
                ys, xs = np.mgrid[c[1] - 3 * sigma:c[1] + 3 * sigma:0.5, c[0] - 3 * sigma:c[0] + 3 * sigma:0.5]
                if trial.stretch(xs, ys).min() < TOUCH_STRETCH:
                    continue
                tsd, td, tmiss = state(trial)
                if tmiss < miss - 1e-6:
                    warp, sd, d, miss = trial, tsd, td, tmiss
                    break
        if miss == 0:
            break
    return warp


def measure(window, warp, marks, scale=4):
    sd = signed_distance(water_mask(window, scale, warp), scale)
    return sample(sd, scale, [mark_centre(m) for m in marks])


def window_to_targets(window, marks, targets):
    """The window of the same shape whose picture puts the marks' targets nearest their marks (least squares over
    a scale and a shift): what is left is for the warp."""
    p = np.array([mark_centre(m) for m in marks if m[1] in targets])
    q = np.array([targets[m[1]] for m in marks if m[1] in targets])
    c = np.array([window.w / 2, window.h / 2])
    # p - c = s (q - c) + t
    a = np.zeros((2 * len(p), 3))
    a[0::2, 0], a[1::2, 0] = q[:, 0] - c[0], q[:, 1] - c[1]
    a[0::2, 1], a[1::2, 2] = 1, 1
    b = (p - c).ravel()
    s, tx, ty = np.linalg.lstsq(a, b, rcond=None)[0]
    # The new picture's centre shows the old picture's point c - t / s, at s times the scale.
    lon, lat = window.to_geo(c[0] - tx / s, c[1] - ty / s)
    return type(window).from_centre(lon, lat, window.k * s, window.w, window.h)


def harbour_fit(name, window, marks, refit):
    """The warp (and, with refit, the window first) that draws each mark's marina on its harbour's shore:
    (window, warp, targets)."""
    harbours = read_harbours()
    for _ in range(4 if refit else 1):
        targets = mark_targets(window, marks, harbours)
        if refit:
            window = window_to_targets(window, marks, targets)
    targets = mark_targets(window, marks, harbours)
    warp, miss, stretch, big = landmark_warp(window, marks, targets, warp_limit(name))
    # Where the warp leaves a mark off the drawn shore, small bumps bring that bit of shore under it.
    for _ in range(3):
        warp = touch_up(window, marks, warp, warp_limit(name))
    stretch, big = warp.least_stretch(window.w, window.h, 1.0), warp.largest_shift(window.w, window.h)
    p = np.array([mark_centre(m) for m in marks])
    d = np.array([np.hypot(*(np.array(mark_centre(m)) - targets[m[1]])) for m in marks])
    worst = int(np.argmax(d))
    print("%-15s targets %4.1f px from their marks at most (%s), warp %4.1f px (%d anchors), stretch %.2f, miss %.2f px%s" % (
        name, d.max(), marks[worst][0], big, len(warp.anchors), stretch, miss,
        "  FOLDS OR OVERREACHES" if stretch < MIN_STRETCH or big > warp_limit(name) else ""), flush=True)
    return window, warp


def main(argv):
    require_full_resolution()
    marks = read_marks()
    windows = read_windows()
    warps = read_warps()
    keep = "--keep-window" in argv
    wide = "--search" in argv
    by_harbour = "--harbours" in argv or "--harbours-refit" in argv
    only = set(a for a in argv[1:] if not a.startswith("--"))
    fitted = {}
    for name in NAMES:
        if only and name not in only:
            continue
        r = windows[name]
        w = Window.of_row(r)
        if "--touch" in argv:
            # Only the last small bumps, on the map's warp as it is.
            warp = warps.get(name) or Warp()
            for _ in range(3):
                warp = touch_up(w, marks[name], warp, warp_limit(name) + 10)
            d = measure(w, warp, marks[name])
        elif by_harbour:
            w, warp = harbour_fit(name, w, marks[name], "--harbours-refit" in argv)
            d = measure(w, warp, marks[name])
        else:
            # The best windows in turn, each with its warp, until one puts every mark on the water: two marks
            # close together can ask opposite things of the shore between them, which no warp gives.
            best = None
            for cand in ([w] if keep else fit(name, w, marks[name], wide)[:4]):
                warp = fit_warp(cand, marks[name], warp_limit(name))
                d = measure(cand, warp, marks[name])
                miss = Target(cand).miss(d)
                if best is None or miss < best[0]:
                    best = (miss, cand, warp, d)
                if miss == 0:
                    break
            _, w, warp, d = best
        target = Target(w)
        bad = ["%s %+.1f" % (marks[name][i][0], d[i]) for i in np.argsort(-np.abs(d)) if target.fails(d[i])]
        print("%-15s median %4.1f px  farthest %5.1f px (%.2f km)  warp %4.1f px (%d anchors, stretch %.2f)%s" % (
            name, np.median(np.abs(d)), np.abs(d).max(), np.abs(d).max() * km_per_px(w), warp.largest_shift(600, 492),
            len(warp.anchors), warp.least_stretch(600, 492),
            ("  off: " + ", ".join(bad)) if bad else ""), flush=True)
        fitted[name] = (w, warp, {"window": name, "geo_code": r["geo_code"], "projection": "mercator",
                                  "west": "%.5f" % w.west, "east": "%.5f" % w.east, "south": "%.5f" % w.south,
                                  "north": "%.5f" % w.north, "median_px": "%.2f" % np.median(np.abs(d)),
                                  "p90_px": "%.2f" % np.percentile(np.abs(d), 90)})
    # Written over what the files hold now, map by map: fits of other maps may run at the same time.
    windows, warps = read_windows(), read_warps()
    rows = [fitted[n][2] if n in fitted else windows[n] for n in ["frmOverviewChart"] + NAMES]
    warps.update({n: f[1] for n, f in fitted.items()})
    with open(WINDOWS_CSV, "w", newline="") as f:
        f.write("# Map windows (degrees) by fit_windows.py: the sub-region maps (600 x 492 pixels) in Mercator on WGS-84, the\n"
                "# overview (447 x 480) in plain longitude and latitude (lonlat); median_px and p90_px: distance of the\n"
                "# map's marks from the drawn shore, pixels (the overview: of its hot areas from their sub-regions).\n")
        fields = ["window", "geo_code", "projection", "west", "east", "south", "north", "median_px", "p90_px"]
        f.write(",".join(fields) + "\n")
        for row in rows:
            f.write(",".join(str(row.get(k, "")) for k in fields) + "\n")
    write_warps({k: v for k, v in warps.items() if v})


if __name__ == "__main__":
    main(sys.argv)
