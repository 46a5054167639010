"""The real harbours where the demo marinas lie, as the generator's harbour table holds them
(tools/demo_data/demo_towns.cpp: name, town, a point on the shore, the marinas there), and where on their shores
each map's marks put the marinas: the point of the harbour's own shore nearest the place the window alone shows
under the mark, the marks of one harbour moved together when the window shows them off it. A map's warp then
draws each of those points under its mark as nearly as the chart's bound lets it (fit_windows.py).
"""
import os
import re

import numpy as np
from scipy.spatial import cKDTree

from chartlib import ROOT, coast_of, km_per_px, mark_centre

TOWNS_CPP = os.path.join(ROOT, "tools", "demo_data", "demo_towns.cpp")
# {"Harbour", "City", DDMM.m, -DDDMM.m, {marina, ...}}
HARBOUR_ROW = re.compile(r'\{"((?:[^"\\]|\\.)*)", "((?:[^"\\]|\\.)*)", ([\d.]+), (-[\d.]+), \{([\d, ]*)\}\}')
# A marina lies on its harbour's own shore: within REACH_KM of the harbour's point in a straight line and within
# ARC_KM of it along that shore.
REACH_KM = 1.4
ARC_KM = 3.0

# The least land a harbour town stands on, km2: smaller islets are no place for a marina the bound moves.
SETTLED_KM2 = 2.5


def degrees(ddmm):
    v = abs(ddmm)
    d = int(v // 100)
    return float(np.copysign(d + (v - d * 100) / 60.0, ddmm))


def read_harbours(path=TOWNS_CPP):
    """[{name, city, lat, lon, marinas}] from the generator's harbour table."""
    out = []
    with open(path) as f:
        text = f.read()
    for m in HARBOUR_ROW.finditer(text):
        marinas = [int(x) for x in m.group(5).replace(" ", "").split(",") if x]
        out.append({"name": m.group(1).replace('\\"', '"'), "city": m.group(2), "lat": degrees(float(m.group(3))),
                    "lon": degrees(float(m.group(4))), "marinas": marinas})
    return out


def harbour_of_marina(harbours):
    return {no: h for h in harbours for no in h["marinas"]}


class Shore:
    """A map's real water's edge (the sea's, lakes' and double-lined rivers' shores and the canals), as points a
    quarter of a pixel apart in the unwarped 1x picture, each with its line and its distance along the line."""

    def __init__(self, window, step=0.25):
        coast = coast_of(window)
        lines = coast.line_set("shore", (1, 2)) + coast.line_set("river", (9, 10, 11))
        pts, line, arc, ring_length = [], [], [], []
        for k, a in enumerate(lines):
            seg = np.diff(a, axis=0)
            length = np.hypot(seg[:, 0], seg[:, 1])
            n = np.maximum(1, np.ceil(length / step).astype(int))
            start = np.concatenate([[0], np.cumsum(length)])
            for (x0, y0), (dx, dy), m, s0, l in zip(a[:-1], seg, n, start[:-1], length):
                t = np.arange(m) / m
                pts.append(np.column_stack([x0 + dx * t, y0 + dy * t]))
                arc.append(s0 + l * t)
                line.append(np.full(m, k))
            closed = np.abs(a[0] - a[-1]).max() < 1e-9
            ring_length.append(start[-1] if closed else 0.0)
        # The land each line bounds: islets too small to have a harbour town (a closed ring of less than
        # SETTLED_KM2) are no place for a marina the bound moves off its harbour.
        kpp = km_per_px(window)
        small = []
        for a in lines:
            closed = np.abs(a[0] - a[-1]).max() < 1e-9
            area = 0.5 * abs(np.dot(a[:, 0], np.roll(a[:, 1], 1)) - np.dot(a[:, 1], np.roll(a[:, 0], 1))) * kpp * kpp
            small.append(closed and area < SETTLED_KM2)
        self.window = window
        self.points = np.vstack(pts)
        self.line = np.concatenate(line)
        self.arc = np.concatenate(arc)
        self.ring_length = np.array(ring_length)
        self.tree = cKDTree(self.points)
        self.kpp = kpp
        settled = ~np.array(small)[self.line]
        self.settled = self.points[settled]
        self.settled_tree = cKDTree(self.settled)

    def nearest(self, p):
        return int(self.tree.query(p)[1])

    def along(self, j, candidates):
        """Distances along the shore (pixels) from point j to the candidate points; inf on another line."""
        same = self.line[candidates] == self.line[j]
        d = np.abs(self.arc[candidates] - self.arc[j])
        ring = self.ring_length[self.line[j]]
        if ring > 0:
            d = np.minimum(d, ring - d)
        return np.where(same, d, np.inf)

    def harbour_shore(self, h):
        """The shore points of a harbour: within REACH_KM of its point and ARC_KM along its shore."""
        hx, hy = self.window.to_px(h["lon"], h["lat"])
        j = self.nearest((hx, hy))
        near = np.array(self.tree.query_ball_point((hx, hy), REACH_KM / self.kpp), dtype=int)
        if not len(near):
            return near, j
        return near[self.along(j, near) <= ARC_KM / self.kpp], j


def mark_targets(window, marks, harbours, shore=None):
    """{marina: (x, y)}: the point of the unwarped picture where each mark's marina lies, on its harbour's shore.
    Marks without a harbour row are left out."""
    shore = shore or Shore(window)
    of = harbour_of_marina(harbours)
    groups = {}
    for m in marks:
        if m[1] in of:
            groups.setdefault(id(of[m[1]]), (of[m[1]], []))[1].append(m)
    candidates, wanted = {}, {}
    for h, group in groups.values():
        cands, _ = shore.harbour_shore(h)
        if not len(cands):
            raise SystemExit("%s (%s) has no shore on the map" % (h["name"], h["city"]))
        pts = np.array([mark_centre(m) for m in group])
        # The marks of one harbour keep their places among themselves: where the window shows them off their
        # harbour's shore, they move together until their middle lies near it.
        hx, hy = window.to_px(h["lon"], h["lat"])
        centre = pts.mean(axis=0)
        gap = np.hypot(hx - centre[0], hy - centre[1])
        reach = 0.5 * REACH_KM / shore.kpp
        move = (np.array([hx, hy]) - centre) * max(0.0, 1 - reach / gap) if gap > 0 else np.zeros(2)
        for m, p in zip(group, pts):
            candidates[m[1]] = shore.points[cands]
            wanted[m[1]] = p + move
    # Each mark's point: the candidate nearest where its neighbours' moves would take it, a few times over, so that
    # marks close together move alike and the warp that draws them stays smooth.
    ms = [m for m in marks if m[1] in candidates]
    p = np.array([mark_centre(m) for m in ms])
    near = np.exp(-((p[:, None, 0] - p[None, :, 0]) ** 2 + (p[:, None, 1] - p[None, :, 1]) ** 2) / (2 * SMOOTH_PX ** 2))

    def pick(g):
        out = []
        for m, gi in zip(ms, g):
            cp = candidates[m[1]]
            out.append(cp[int(np.argmin(np.hypot(cp[:, 0] - gi[0], cp[:, 1] - gi[1])))])
        return np.array(out)

    q = pick(np.array([wanted[m[1]] for m in ms]))
    for _ in range(6):
        move = near @ (q - p) / near.sum(axis=1)[:, None]
        q = pick(p + move)
    return {m[1]: tuple(qi) for m, qi in zip(ms, q)}


SMOOTH_PX = 10.0
