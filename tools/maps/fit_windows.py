#!/usr/bin/python3
"""Fits each sub-region map's warp, a smooth local shift of the coast (map-warps.csv), and with --harbours-refit
its window first (centre and scale in Mercator, aspect fixed by the 600 x 492 picture), so that each mark of the
program's map table sits on the water's edge the chart draws, over its marina's harbour in the generator's harbour
table (tools/maps/harbours.py), within the bound that keeps the chart true (chartlib: the coast within 2 km of its
place over 95 % of its length and 4 km everywhere, no squeeze or stretch beyond 2:1).

    tools/maps/fit_windows.py --harbours [--harbours-refit] [WINDOW ...]    (needs what draw_charts.py needs)

Where the bound keeps a mark from its harbour, the mark stands on the nearest shore the bounded warp brings under
it; the script names those marinas, whose harbour row must then be the place the chart shows. The marks are given
and never move. The overview's window is kept: its hot areas were laid over its picture.
"""
import sys

import numpy as np
from scipy.optimize import least_squares

from harbours import Shore, mark_targets, read_harbours
from chartlib import (FAR_KM, KEPT_OFF_SHORE, MARK_RADIUS_PX, MASK_SCALE, NAMES, SHORE_MARGIN, SQUEEZE, STRETCH, TRUE_KM, TRUE_SHARE, WINDOWS_CSV,
                      Target, Warp, Window, chart_truth, real_coast,
                      km_per_px, mark_centre, read_marks, read_warps, read_windows, require_full_resolution, sample,
                      shore_window, signed_distance, water_mask, write_warps)


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


# The bounded warp keeps inside the chart's bound with a margin, so that the drawn chart meets it.
FIT_SQUEEZE, FIT_STRETCH = SQUEEZE + 0.06, STRETCH - 0.2
FIT_FAR_KM, FIT_TRUE_KM = FAR_KM - 0.3, TRUE_KM - 0.1
# How near its target point the chart must bring a mark's centre for the mark to show its harbour, km.
REACHED_KM = 0.3
# How hard the fit holds the coast near its place against the marks' pull (the broad bumps, then the narrow ones that
# bring the last pixels of shore under a mark), and how far past the bound the cost of a coast point stops growing.
COAST_WEIGHT, NARROW_COAST_WEIGHT = 400.0, 100.0
COAST_CAP_PX = 1.5


class RealWater:
    """Whether points of a map's unwarped picture (and its margin) lie on the real water."""

    def __init__(self, window):
        self.water = water_mask(shore_window(window), MASK_SCALE)

    def __call__(self, pts):
        ix = np.clip(((pts[:, 0] + SHORE_MARGIN) * MASK_SCALE).astype(int), 0, self.water.shape[1] - 1)
        iy = np.clip(((pts[:, 1] + SHORE_MARGIN) * MASK_SCALE).astype(int), 0, self.water.shape[0] - 1)
        return self.water[iy, ix]


def bounded_warp(window, marks, targets, shore, sigma=30.0):
    """The warp, within the chart's bound, that draws each mark's target point (a point of its harbour's real
    shore) under the mark as nearly as the bound lets it, and every mark's centre on the real shore: where the
    bound keeps a mark from its target, the mark takes the shore nearest it that the warp can bring, and its
    marina then lies on the shore the chart shows under it. Returns (warp, {marina: the shore point under its
    mark}, [marinas farther than REACHED_KM from their harbour's point])."""
    ms = [m for m in marks if m[1] in targets]
    p = np.array([mark_centre(m) for m in ms])
    harbour = np.array([targets[m[1]] for m in ms])
    q = harbour.copy()
    kpp = km_per_px(window)
    gy, gx = np.mgrid[-20:window.h + 21:10.0, -20:window.w + 21:10.0]
    probe = np.column_stack([gx.ravel(), gy.ravel()])
    inside = (shore.points[:, 0] >= 0) & (shore.points[:, 0] < window.w) & (shore.points[:, 1] >= 0) & (shore.points[:, 1] < window.h)
    coast = shore.points[inside][::8]
    far_px, true_px = FIT_FAR_KM / kpp, FIT_TRUE_KM / kpp
    # A harbour farther from its mark than the bound lets the coast move: the mark aims at the shore within reach
    # nearest that harbour instead.
    for i in np.nonzero(np.hypot(*(p - q).T) > 0.85 * far_px)[0]:
        near = shore.settled[shore.settled_tree.query_ball_point(p[i], 0.85 * far_px)]
        if len(near):
            q[i] = near[np.argmin(np.hypot(*(near - q[i]).T))]
    pull = np.ones(len(p))
    # A mark may stand a little out on the water, less far on the land: the drawn chart, squeezed or stretched by
    # up to 2:1, keeps it inside its target.
    target = Target(window)
    on_water = RealWater(window)

    def beyond(excess):
        # The bound counts the coast past 2 km, not how far past: a cost that saturates a pixel past it gathers the
        # displacement the marks need into the few places that need it, and a small slope keeps those near.
        excess = np.maximum(0, excess)
        return np.minimum(excess, COAST_CAP_PX) + 0.1 * excess

    def bumps(centres, sigmas, v):
        return [(c[0], c[1], d[0], d[1], s) for c, s, d in zip(centres, sigmas, np.reshape(v, (-1, 2)))]

    def landing(w):
        sx, sy = w.shift(p[:, 0], p[:, 1])
        return np.column_stack([p[:, 0] - sx, p[:, 1] - sy])

    def residuals(v, fixed, centres, sigmas, snap, reach, probe=probe, squeeze=FIT_SQUEEZE, stretch=FIT_STRETCH,
                  coast_weight=COAST_WEIGHT):
        w = Warp(fixed + bumps(centres, sigmas, v))
        at = landing(w)
        # As near its harbour's point as the bound lets it; then on the real shore above all.
        if snap:
            # Its harbour's point, or a shore of land large enough for a harbour town.
            gap = np.minimum(shore.settled_tree.query(at)[0], np.hypot(*(at - harbour).T))
            on_shore = np.maximum(0, gap - np.where(on_water(at), reach * target.sea, reach * target.land))
        else:
            on_shore = np.zeros(0)
        lo, hi = w.singular_values(probe[:, 0], probe[:, 1])
        px, py = w.shift(probe[:, 0], probe[:, 1])
        # How far the warp draws each coast point from its place: the shift where the chart shows it (the fixed
        # point f = c + shift(f), a contraction while the bound holds), not the shift at the point itself.
        cx, cy = w.shift(coast[:, 0], coast[:, 1])
        for _ in range(3):
            cx, cy = w.shift(coast[:, 0] + cx, coast[:, 1] + cy)
        return np.concatenate([snap * on_shore, ((1 if snap else 5) * pull[:, None] * (at - q)).ravel(),
                               2000 * np.maximum(0, squeeze - lo), 2000 * np.maximum(0, hi - stretch),
                               200 * np.maximum(0, np.hypot(px, py) - far_px),
                               coast_weight * beyond(np.hypot(cx, cy) - true_px) / np.sqrt(len(coast) / 100.0), 0.005 * v])

    def solve(fixed, centres, sigmas, snap, reach, v, effort, *close):
        return least_squares(residuals, v, args=(fixed, centres, sigmas, snap, reach) + close, method="trf", x_scale=5.0,
                             max_nfev=effort * len(v)).x

    # Broad bumps at every mark, first toward the harbours, then onto the shore.
    wide = np.full(len(p), sigma)
    reach = np.full(len(p), 0.4)
    v = solve([], p, wide, 0, reach, np.zeros(2 * len(p)), 20)
    for _ in range(3):
        v = solve([], p, wide, 10, reach, v, 15)
        d = measure(window, Warp(bumps(p, wide, v)), ms)
        off = np.array([target.fails(x) for x in d])
        if not off.any():
            break
        # The marks the drawn chart still leaves outside their target aim nearer the shore, any shore.
        reach[off] *= 0.4
        pull[off] = 0
    warp = Warp(bumps(p, wide, v))
    # Marks close together ask the shore between them for more than broad bumps give: narrow bumps at the marks
    # still off it, as narrow as their neighbours are near, bring it the last pixels.
    for _ in range(2):
        if not off.any():
            break
        gaps = np.hypot(p[:, None, 0] - p[None, :, 0], p[:, None, 1] - p[None, :, 1]) + np.eye(len(p)) * 1e9
        narrow = np.clip(0.6 * gaps.min(axis=1), 8.0, 20.0)[off]
        # Narrow bumps may use the bound to its last few hundredths, read on a grid as fine as they are narrow.
        ly, lx = np.mgrid[-60:61:2.5, -60:61:2.5]
        close = np.vstack([probe] + [np.column_stack([lx.ravel() + c[0], ly.ravel() + c[1]]) for c in p[off]])
        u = solve(warp.anchors, p[off], narrow, 30, reach, np.zeros(2 * int(off.sum())), 30, close, SQUEEZE + 0.02,
                  STRETCH - 0.05, NARROW_COAST_WEIGHT)
        warp = Warp(warp.anchors + bumps(p[off], narrow, u))
        d = measure(window, warp, ms)
        off = np.array([target.fails(x) for x in d])
        reach[off] *= 0.5
        pull[off] = 0
    at = landing(warp)
    under = shore.settled[shore.settled_tree.query(at)[1]]
    own = np.hypot(*(at - harbour).T) < np.hypot(*(at - under).T)
    under[own] = harbour[own]
    placed = {m[1]: tuple(u) for m, u in zip(ms, under)}
    retargeted = [m[1] for m, u, t in zip(ms, under, harbour) if np.hypot(*(u - t)) * kpp > REACHED_KM]
    return warp, placed, retargeted


def touch_up(name, window, warp, marks):
    """The warp with a small bump more at each mark whose centre the fit left farther from the drawn shore than its
    disc, where one within the bound brings the shore under the disc without putting another mark farther off: the
    least such move of a few tried sizes and directions."""
    coast = real_coast(name, window, water_mask(shore_window(window), MASK_SCALE))
    target = Target(window)

    def true(w):
        t = chart_truth(window, w, coast, step=2.0)
        return (t["share"] >= TRUE_SHARE + 0.005 and t["far_km"] <= FIT_FAR_KM and t["squeeze"] >= SQUEEZE + 0.005
                and t["stretch"] <= STRETCH - 0.05)

    d = measure(window, warp, marks)
    for i in np.argsort(-np.abs(d)):
        m = marks[i]
        if not target.fails(d[i]) or abs(d[i]) <= MARK_RADIUS_PX or m[1] in KEPT_OFF_SHORE:
            continue
        x, y = mark_centre(m)
        tried = [(r, s, th) for r in (1, 2, 3, 5, 8, 11) for s in (10.0, 15.0, 22.0) for th in np.linspace(0, 2 * np.pi, 12, endpoint=False)]
        for r, s, th in tried:
            w = Warp(warp.anchors + [(x, y, r * np.cos(th), r * np.sin(th), s)])
            di = measure(window, w, [m])[0]
            if abs(di) > MARK_RADIUS_PX - 0.5 or not true(w):
                continue
            dw = measure(window, w, marks)
            if all(k == i or abs(dw[k]) <= max(MARK_RADIUS_PX, abs(d[k]) + 0.2) or not target.fails(dw[k]) for k in range(len(marks))):
                warp, d = w, dw
                break
    return warp


def harbour_fit(name, window, marks, refit):
    """The warp (and, with refit, the window first) that draws each mark's marina on its harbour's shore, as nearly
    as the chart's bound lets it: (window, warp). Prints the marinas whose harbour no warp within the bound brings
    under their marks: they take the shore the chart shows there."""
    harbours = read_harbours()
    shore = Shore(window)
    # Marks the bound keeps out at sea pull on nothing: their islands stay where they lie.
    def aims(window, shore):
        return {no: t for no, t in mark_targets(window, marks, harbours, shore).items() if KEPT_OFF_SHORE.get(no) != "at sea"}

    for _ in range(4 if refit else 1):
        targets = aims(window, shore)
        if refit:
            window = window_to_targets(window, marks, targets)
            shore = Shore(window)
    targets = aims(window, shore)
    warp, placed, retargeted = bounded_warp(window, marks, targets, shore)
    warp = touch_up(name, window, warp, marks)
    p = {m[1]: np.array(mark_centre(m)) for m in marks}
    sx, sy = warp.shift(np.array([p[n][0] for n in placed]), np.array([p[n][1] for n in placed]))
    miss = np.hypot(np.array([p[n][0] for n in placed]) - sx - np.array([placed[n][0] for n in placed]),
                    np.array([p[n][1] for n in placed]) - sy - np.array([placed[n][1] for n in placed]))
    lo, hi = warp.singular_values(*np.mgrid[0:window.w + 1:2.0, 0:window.h + 1:2.0])
    print("%-15s warp %4.1f px (%d anchors), squeeze %.2f, stretch %.2f, miss %.2f px at most" % (
        name, warp.largest_shift(window.w, window.h), len(warp.anchors), lo.min(), hi.max(), miss.max()), flush=True)
    for no in retargeted:
        lon, lat = window.to_geo(*placed[no])
        print("  marina %d: its harbour is out of the bound's reach; the chart shows it at %.5f, %.5f" % (no, lat, lon))
    return window, warp


def main(argv):
    require_full_resolution()
    if "--harbours" not in argv and "--harbours-refit" not in argv:
        print(__doc__)
        return 2
    marks = read_marks()
    windows = read_windows()
    only = set(a for a in argv[1:] if not a.startswith("--"))
    fitted = {}
    for name in NAMES:
        if only and name not in only:
            continue
        r = windows[name]
        w, warp = harbour_fit(name, Window.of_row(r), marks[name], "--harbours-refit" in argv)
        d = measure(w, warp, marks[name])
        target = Target(w)
        bad = ["%s %+.1f" % (marks[name][i][0], d[i]) for i in np.argsort(-np.abs(d)) if target.fails(d[i])]
        print("%-15s median %4.1f px  farthest %5.1f px (%.2f km)%s" % (
            name, np.median(np.abs(d)), np.abs(d).max(), np.abs(d).max() * km_per_px(w),
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
    sys.exit(main(sys.argv))
