#!/usr/bin/python3
"""The distances by water between every pair of demo marinas, over the whole coast of the region: through the
Cape Cod Canal, Woods Hole, the Piscataqua and every harbour entrance the shoreline keeps open, never across land.
Writes sea-miles.csv (nautical miles, every pair of the marinas of mark-places.csv), which the demo generator
reads to name each marina's nearest boatyard and the demo data check tests it by.

The coast is one land and water mask of the region (shore/coast.png: water white, the full-resolution GSHHG
shoreline with its lakes and double-lined rivers as water and the Cape Cod Canal cut through, in plain longitude
and latitude, COLS x ROWS pixels of about 50 m over BOX). A way by water is a shortest path over its water
pixels, each joined to its sixteen nearest neighbours (the knight's moves too, so a way at any heading is at
most a few percent longer than the straight line); open water far from any shore is walked in blocks of
BLOCK x BLOCK pixels. A marina joins the path at the nearest water pixel of the sea; where the shoreline closes
its harbour's entrance (a pond behind a narrow breachway), that step is a straight line over the gap, and the
script prints it. Every distance is a line over water, so none is shorter than the straight line between the
two marinas.

    tools/maps/sea_miles.py            (python3-numpy, python3-scipy, python3-pil; reads shore/coast.png)
    tools/maps/sea_miles.py --mask     (draws shore/coast.png afresh first: needs gmt and gmt-gshhg-full)
"""
import csv
import math
import multiprocessing
import os
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image, ImageDraw
from scipy import ndimage
from scipy.sparse import coo_matrix
from scipy.sparse.csgraph import connected_components, dijkstra

from chartlib import EARTH_KM, great_circle_km, read_csv_rows

HERE = os.path.dirname(os.path.abspath(__file__))
PLACES_CSV = os.path.join(HERE, "mark-places.csv")
SEA_MILES_CSV = os.path.join(HERE, "sea-miles.csv")
COAST_PNG = os.path.join(HERE, "shore", "coast.png")

# West, east, south, north (degrees): from Block Island Sound to Mount Desert and up the Penobscot.
BOX = (-72.0, -67.8, 41.0, 44.65)
COLS, ROWS = 6720, 8030          # 1/1600 degree of longitude, 1/2200 of latitude: about 50 m each way
BLOCK = 8                         # pixels to a side of a block of open water
CANAL_PX = 3                      # the Cape Cod Canal's width (about 150 m)
KM_PER_NM = 1.852
JOIN_REPORT_KM = 0.1              # a marina's straight step to the sea's water printed beyond this

DLON = (BOX[1] - BOX[0]) / COLS
DLAT = (BOX[3] - BOX[2]) / ROWS
KM_PER_DEG = EARTH_KM * math.pi / 180.0


def make_mask():
    """Draws the region's land and water mask from the GSHHG shoreline with gmt, the canal cut through."""
    sys.path.insert(0, HERE)
    from chartlib import dump, require_full_resolution
    require_full_resolution()
    region = "%g/%g/%g/%g" % BOX
    with tempfile.TemporaryDirectory(prefix="quaywise-coast-") as tmp:
        grid = os.path.join(tmp, "mask.nc")
        # Water 1 (the sea, lakes and ponds on islands in lakes), land 0 (land and islands in lakes).
        subprocess.run(["gmt", "grdlandmask", "-R" + region, "-I%d+n/%d+n" % (COLS, ROWS), "-r", "-Df", "-A0",
                        "-N1/0/1/0/1", "-G" + grid + "=nb", "--GMT_HISTORY=false"], cwd=tmp, check=True)
        raw = subprocess.run(["gmt", "grd2xyz", grid, "-ZTLu", "--GMT_HISTORY=false"], cwd=tmp, check=True,
                             stdout=subprocess.PIPE).stdout
    water = np.frombuffer(raw, dtype=np.uint8).reshape(ROWS, COLS) > 0
    im = Image.fromarray(np.where(water, 255, 0).astype(np.uint8))
    draw = ImageDraw.Draw(im)
    # The shoreline runs across the Cape Cod Canal; the river set holds it as a canal (levels 9-11).
    for level, line in dump(region, "-Ia"):
        if level >= 9:
            x, y = to_px(line[:, 1], line[:, 0])
            draw.line(list(zip(x.tolist(), y.tolist())), fill=255, width=CANAL_PX)
    os.makedirs(os.path.dirname(COAST_PNG), exist_ok=True)
    im.convert("1").save(COAST_PNG, optimize=True)


def to_px(lat, lon):
    """Pixel coordinates (x, y; 0 at the top left corner of the mask) of points."""
    return (np.asarray(lon, float) - BOX[0]) / DLON, (BOX[3] - np.asarray(lat, float)) / DLAT


def read_mask():
    water = np.asarray(Image.open(COAST_PNG).convert("L")) > 127
    if water.shape != (ROWS, COLS):
        raise SystemExit("%s is %d x %d pixels, not %d x %d: draw it again with --mask" % (COAST_PNG, water.shape[1], water.shape[0], COLS, ROWS))
    return water


# The sixteen neighbours, each pair once: (rows down, columns right, the pixels the step crosses).
STEPS = [(0, 1, []), (1, 0, []), (1, 1, []), (1, -1, []),
         (1, 2, [(0, 1), (1, 1)]), (2, 1, [(1, 0), (1, 1)]), (1, -2, [(0, -1), (1, -1)]), (2, -1, [(1, 0), (1, -1)])]


def step_km(rows, dr, dc, cell_rows=1.0):
    """Length of a step of dr rows and dc columns (of cell_rows pixels each) starting at the given pixel rows."""
    lat = BOX[3] - (rows + 0.5 + dr * cell_rows / 2.0) * DLAT
    dy = dr * cell_rows * DLAT * KM_PER_DEG
    dx = dc * cell_rows * DLON * KM_PER_DEG * np.cos(np.radians(lat))
    return np.hypot(dx, dy)


def grid_edges(node, open_, index, cell_rows=1.0, row0=None):
    """The edges among the pixels (or blocks) where `node` holds, each pair once: (from, to, km). A step crosses
    only `open_` pixels; a diagonal one joins its two corners (a channel one pixel wide stays open)."""
    h, w = node.shape
    rows_a, cols_b, lengths = [], [], []
    for dr, dc, crossed in STEPS:
        r0, r1 = 0, h - dr
        c0, c1 = max(0, -dc), w - max(0, dc)
        a = node[r0:r1, c0:c1] & node[r0 + dr:r1 + dr, c0 + dc:c1 + dc]
        for cr, cc in crossed:
            a &= open_[r0 + cr:r1 + cr, c0 + cc:c1 + cc]
        ys, xs = np.nonzero(a)
        ys, xs = ys + r0, xs + c0
        rows_a.append(index[ys, xs])
        cols_b.append(index[ys + dr, xs + dc])
        lengths.append(step_km(ys if row0 is None else row0[ys], dr, dc, cell_rows))
    return np.concatenate(rows_a), np.concatenate(cols_b), np.concatenate(lengths)


class SeaGraph:
    """The water of the mask as a graph: a node for each water pixel near a shore and for each block of open
    water, with where each node lies (row, column in pixels)."""

    def __init__(self, water):
        h, w = water.shape
        hb, wb = h // BLOCK, w // BLOCK
        blocks = water[:hb * BLOCK, :wb * BLOCK].reshape(hb, BLOCK, wb, BLOCK).all(axis=(1, 3))
        # A block is walked whole where it and the blocks round it are all water.
        open_blocks = ndimage.binary_erosion(blocks, structure=np.ones((3, 3), bool), border_value=0)
        in_block = np.zeros_like(water)
        in_block[:hb * BLOCK, :wb * BLOCK] = np.repeat(np.repeat(open_blocks, BLOCK, axis=0), BLOCK, axis=1)
        fine = water & ~in_block
        n_fine = int(fine.sum())
        index = -np.ones(water.shape, dtype=np.int64)
        fy, fx = np.nonzero(fine)
        index[fy, fx] = np.arange(n_fine)
        bindex = -np.ones(open_blocks.shape, dtype=np.int64)
        by, bx = np.nonzero(open_blocks)
        bindex[by, bx] = n_fine + np.arange(len(by))
        parts = [grid_edges(fine, water, index)]
        # Blocks among themselves, measured from centre to centre.
        parts.append(grid_edges(open_blocks, open_blocks, bindex, BLOCK, row0=np.arange(hb) * BLOCK + (BLOCK - 1) / 2.0))
        # Each block to the pixels just round it that are not in a block: straight lines over its own water.
        ring = [(-1, c) for c in range(-1, BLOCK + 1)] + [(BLOCK, c) for c in range(-1, BLOCK + 1)] + \
               [(r, -1) for r in range(BLOCK)] + [(r, BLOCK) for r in range(BLOCK)]
        centre = (BLOCK - 1) / 2.0
        for r, c in ring:
            ys, xs = by * BLOCK + r, bx * BLOCK + c
            ok = (ys >= 0) & (ys < h) & (xs >= 0) & (xs < w)
            ys, xs, b = ys[ok], xs[ok], bindex[by[ok], bx[ok]]
            ok = fine[ys, xs]
            ys, xs, b = ys[ok], xs[ok], b[ok]
            cy = ys - r + centre
            lat = BOX[3] - ((ys + cy) / 2.0 + 0.5) * DLAT
            dy = (r - centre) * DLAT * KM_PER_DEG
            dx = (c - centre) * DLON * KM_PER_DEG * np.cos(np.radians(lat))
            parts.append((index[ys, xs], b, np.hypot(dx, dy)))
        a = np.concatenate([p[0] for p in parts])
        b = np.concatenate([p[1] for p in parts])
        km = np.concatenate([p[2] for p in parts])
        n = n_fine + len(by)
        self.graph = coo_matrix((np.concatenate([km, km]), (np.concatenate([a, b]), np.concatenate([b, a]))), shape=(n, n)).tocsr()
        self.where = np.vstack([np.column_stack([fy, fx]).astype(float),
                                np.column_stack([by * BLOCK + centre, bx * BLOCK + centre])])
        # The node of each pixel: its own near a shore, its block's in open water.
        self.node_of = index.astype(np.int32)
        self.node_of[:hb * BLOCK, :wb * BLOCK] = np.where(
            in_block[:hb * BLOCK, :wb * BLOCK], np.repeat(np.repeat(bindex, BLOCK, axis=0), BLOCK, axis=1),
            self.node_of[:hb * BLOCK, :wb * BLOCK])
        _, labels = connected_components(self.graph, directed=False)
        self.sea = labels == np.bincount(labels).argmax()
        print("%d water pixels near a shore, %d blocks of open water, %d edges" % (n_fine, len(by), len(km)), flush=True)

    def join(self, lat, lon):
        """The node of the sea nearest a point and the straight kilometres to it."""
        x, y = to_px(lat, lon)
        r, c = int(np.clip(np.floor(y), 0, ROWS - 1)), int(np.clip(np.floor(x), 0, COLS - 1))
        reach = 40
        while True:
            r0, c0 = max(0, r - reach), max(0, c - reach)
            node = self.node_of[r0:r + reach + 1, c0:c + reach + 1].astype(np.int64)
            ok = node >= 0
            ok[ok] = self.sea[node[ok]]
            if ok.any():
                nodes = node[ok]
                py, px = self.where[nodes, 0], self.where[nodes, 1]
                d = great_circle_km(lat, lon, BOX[3] - (py + 0.5) * DLAT, BOX[0] + (px + 0.5) * DLON)
                k = int(np.argmin(d))
                return int(nodes[k]), float(d[k])
            reach *= 2


_graph = None


def _from(sources_targets):
    source, targets = sources_targets
    return dijkstra(_graph, directed=True, indices=[source])[0, targets]


def read_places():
    rows = read_csv_rows(PLACES_CSV)
    return [(int(r["marina_no"]), float(r["lat"]), float(r["lon"])) for r in rows]


def main(argv):
    global _graph
    if "--mask" in argv or not os.path.exists(COAST_PNG):
        make_mask()
    water = read_mask()
    sea = SeaGraph(water)
    places = sorted(read_places())
    joins = [sea.join(lat, lon) for _, lat, lon in places]
    for (no, lat, lon), (_, km) in zip(places, joins):
        if km > JOIN_REPORT_KM:
            print("marina %4d joins the sea %.2f km away in a straight line" % (no, km))
    nodes = sorted({n for n, _ in joins})
    column = {n: i for i, n in enumerate(nodes)}
    _graph = sea.graph
    with multiprocessing.get_context("fork").Pool(int(os.environ.get("QUAYWISE_JOBS", "6"))) as pool:
        rows = pool.map(_from, [(n, nodes) for n in nodes], chunksize=1)
    between = np.array(rows)
    lats = np.array([p[1] for p in places])
    lons = np.array([p[2] for p in places])
    out, longest = [], 0.0
    for i, (a, _, _) in enumerate(places):
        for j in range(i + 1, len(places)):
            straight = float(great_circle_km(lats[i], lons[i], lats[j], lons[j]))
            ni, nj = joins[i][0], joins[j][0]
            if ni == nj:
                km = straight
            else:
                km = joins[i][1] + between[column[ni], column[nj]] + joins[j][1]
            if not np.isfinite(km):
                raise SystemExit("no way by water between marinas %d and %d" % (a, places[j][0]))
            longest = max(longest, km)
            out.append((a, places[j][0], km / KM_PER_NM))
    with open(SEA_MILES_CSV, "w", newline="") as f:
        f.write("# Nautical miles by water between each pair of demo marinas (mark-places.csv), over the whole coast,\n"
                "# by sea_miles.py.\n")
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["from", "to", "nm"])
        for a, b, nm in out:
            w.writerow([a, b, "%.1f" % nm])
    print("%d pairs of %d marinas, the longest %.1f nm" % (len(out), len(places), longest / KM_PER_NM))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
