#!/usr/bin/python3
"""The pieces of land of the coast the maps show, from the full-resolution GSHHG shore: the mainland (with every
land that reaches past the edge of the region) and each island, each island in a lake counted as a piece of its own.
check_places.py tells from them on which land a point stands, and so whether a marina stands on its own town's land
and not on an islet, a barrier beach cut off by an inlet or the other bank, without needing gmt.

Writes land-pieces.csv: each shore line (a long one in several rows, each starting where the one before ends), the
piece of land it bounds (1: the mainland; islands numbered by size, the largest first), the piece's area (km2,
islands only), whether the line is the sea's shore or a lake's (a lake's shore bounds the land round the lake), and
its points: the first in 1e-5 degrees (longitude latitude), each next as the step from the one before, so that the
whole coast stays a small text file. Land lies on the left of a coast line and on the right of a lake's.

    tools/maps/land_pieces.py        (needs gmt with gmt-gshhg-full, python3-numpy)
"""
import csv
import os
import sys

import numpy as np

from chartlib import HERE, NAMES, dump, read_windows, require_full_resolution, shore_window, stitch, window_of

PIECES_CSV = os.path.join(HERE, "land-pieces.csv")
MARGIN_DEG = 0.1  # round the maps' windows
UNITS = 1e5       # points per degree in the file
ROW_POINTS = 500  # the most points a row of the file holds


def area_km2(ring):
    """The area a closed ring (lon, lat) bounds, km2: positive counter-clockwise."""
    lat = np.radians(ring[:, 1].mean())
    x, y = ring[:, 0] * 111.32 * np.cos(lat), ring[:, 1] * 110.57
    return 0.5 * float(np.sum(x[:-1] * y[1:] - x[1:] * y[:-1]))


def inside(ring, p):
    """Whether the point p (lon, lat) lies inside the closed ring."""
    x, y = ring[:, 0], ring[:, 1]
    x0, y0, x1, y1 = x[:-1], y[:-1], x[1:], y[1:]
    crosses = (y0 > p[1]) != (y1 > p[1])
    at = x0 + (p[1] - y0) * (x1 - x0) / np.where(y1 == y0, 1, y1 - y0)
    return bool(np.count_nonzero(crosses & (at > p[0])) % 2)


def region():
    """West, east, south, north: the sub-region maps' shore windows and a margin."""
    windows = read_windows()
    boxes = [shore_window(window_of(name, windows)) for name in NAMES]
    return (min(b.west for b in boxes) - MARGIN_DEG, max(b.east for b in boxes) + MARGIN_DEG,
            min(b.south for b in boxes) - MARGIN_DEG, max(b.north for b in boxes) + MARGIN_DEG)


def pieces(box):
    """[(piece, area_km2 or None, kind, line)]: every shore line of the region with the piece of land it bounds."""
    by_level = {}
    for level, s in dump("%.6f/%.6f/%.6f/%.6f" % box, "-W"):
        by_level.setdefault(level, []).append(s)
    lines = {level: stitch(p, box) for level, p in by_level.items()}
    # The mainland: the land that reaches past the region's edge. Islands, and islands in lakes, by size.
    islands = sorted(lines.get(1, ([], []))[1] + lines.get(3, ([], []))[1], key=lambda r: -abs(area_km2(r)))
    out = [(1, None, "coast", c) for c in lines.get(1, ([], []))[0]]
    out += [(k + 2, abs(area_km2(r)), "coast", r) for k, r in enumerate(islands)]
    # A lake's shore (and a pond's on an island in a lake) bounds the land round it: the smallest island that holds
    # it, or the mainland.
    for level in (2, 4):
        chains, rings = lines.get(level, ([], []))
        for line in chains + rings:
            holders = [k + 2 for k, r in enumerate(islands) if inside(r, line[0])]
            out.append((holders[-1] if holders else 1, None, "lake", line))
    return out


def encode(line):
    """The points of a line as whole 1e-5 degrees: the first, then the steps."""
    q = np.round(np.asarray(line) * UNITS).astype(np.int64)
    steps = np.vstack([q[:1], np.diff(q, axis=0)])
    return " ".join("%d %d" % (a, b) for a, b in steps)


class Lands:
    """The pieces of land read back from land-pieces.csv: on which piece a point stands, or the piece whose shore
    lies nearest a point on the water."""
    STEP_KM = 0.02  # the shore lines are looked up at points this far apart

    def __init__(self, path=PIECES_CSV):
        from scipy.spatial import cKDTree
        starts, ends, line, piece, self.area = [], [], [], [], {1: None}
        with open(path) as f:
            for r in csv.DictReader(row for row in f if not row.startswith("#")):
                p = np.array(r["points"].split(), dtype=np.int64).reshape(-1, 2).cumsum(axis=0) / UNITS
                starts.append(p[:-1])
                ends.append(p[1:])
                line.append(np.full(len(p) - 1, int(r["line"])))
                piece.append(np.full(len(p) - 1, int(r["piece"])))
                if r["area_km2"]:
                    self.area[int(r["piece"])] = float(r["area_km2"])
        self.a, self.b = self._km(np.vstack(starts)), self._km(np.vstack(ends))
        self.line, self.piece = np.concatenate(line), np.concatenate(piece)
        # Points along every segment, no more than STEP_KM apart, each knowing its segment.
        n = np.maximum(1, np.ceil(np.hypot(*(self.b - self.a).T) / self.STEP_KM).astype(int))
        seg = np.repeat(np.arange(len(n)), n)
        t = (np.arange(len(seg)) - np.repeat(np.cumsum(n) - n, n)) / n[seg]
        self.seg = seg
        self.tree = cKDTree(self.a[seg] + (self.b - self.a)[seg] * t[:, None])

    @staticmethod
    def _km(lonlat):
        """Kilometres east and north of 0 E, 0 N on a plane true at 43 N: near enough for the nearest shore."""
        lonlat = np.asarray(lonlat, float)
        return np.column_stack([lonlat[..., 0] * 111.32 * np.cos(np.radians(43.0)), lonlat[..., 1] * 110.57])

    def at(self, lat, lon):
        """(piece, km from its shore): the piece of land under the point, whose shore is the nearest to any point on
        it, or the piece nearest a point on the water."""
        p = self._km([[lon, lat]])[0]
        _, i = self.tree.query(p)
        j = self.seg[i]
        # The nearest of the segment and its neighbours on the same line.
        best = None
        for k in (j - 1, j, j + 1):
            if 0 <= k < len(self.line) and self.line[k] == self.line[j]:
                d = self.b[k] - self.a[k]
                t = float(np.clip(np.dot(p - self.a[k], d) / max(np.dot(d, d), 1e-12), 0.0, 1.0))
                gap = float(np.hypot(*(p - self.a[k] - t * d)))
                if best is None or gap < best[0]:
                    best = (gap, k)
        return int(self.piece[best[1]]), best[0]

    def name(self, piece):
        """A piece for a message: the mainland, or an island of its area."""
        return "the mainland" if piece == 1 else "an island of %.2f km2" % self.area[piece]


def main(argv):
    require_full_resolution()
    box = region()
    rows = pieces(box)
    with open(PIECES_CSV, "w", newline="") as f:
        f.write("# The land of the coast (full-resolution GSHHG) from %.4f to %.4f E, %.4f to %.4f N, by land_pieces.py:\n"
                "# each shore line with the piece of land it bounds (1: the mainland; islands by size), the island's area,\n"
                "# coast or lake, and its points in 1e-5 degrees (lon lat), the first whole and each next as the step from the\n"
                "# one before. Land lies on the left of a coast line, on the right of a lake's.\n" % box)
        out = csv.writer(f, lineterminator="\n")
        out.writerow(["line", "piece", "area_km2", "kind", "points"])
        for k, (piece, area, kind, line) in enumerate(rows):
            # Long lines in rows of ROW_POINTS, each starting where the one before ends.
            for s in range(0, max(1, len(line) - 1), ROW_POINTS - 1):
                out.writerow([k + 1, piece, "" if area is None else "%.4f" % area, kind, encode(line[s:s + ROW_POINTS])])
    islands = {p for p, a, k, _ in rows if a is not None}
    print("%d shore lines, the mainland and %d islands: %s" % (len(rows), len(islands), PIECES_CSV))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
