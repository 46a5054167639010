#!/usr/bin/python3
"""The distances by land between each demo marina and the places its rows name or measure to, and by ferry from
an island: the centre of every town of the generator's tables, and every hospital, airport and railway station
(tools/demo_data/demo_towns.cpp: Towns(); demo_places.cpp: Places(), FerryRoutes()). Writes

  land-miles.csv  statute miles from each marina (mark-places.csv) to each place within LIMIT_MI, by land over
                  its own land, or for a marina on an island reached only by ferry, over the island to a ferry
                  dock, by the ferry to its port and on by land (ferry 1); a leg by land is the shortest way
                  over the land, lengthened by ROAD_FACTOR for the roads' bends, a ferry the straight line;
  land-reach.csv  for each marina the position measured from, the ferry island it lies on (blank on the mainland)
                  and the island's reach: the farthest any point of the island lies from the marina by land.

The land is the complement of the coast mask sea_miles.py draws (shore/coast.png, about 50 m a pixel). The
mainland is walked at COARSE x COARSE pixels (about 200 m), a cell being land where any of its pixels is: a river
or gut narrower than a cell is crossed, as its bridges cross it, and the bridges over wider water are drawn in
(BRIDGES). North of the mask the land goes on (Bangor). An island without a bridge keeps its own land, walked at
the mask's full resolution, so that a channel of a pixel keeps two islands apart; the generator's ferry routes
join it to the mainland. A way never crosses open water but by a bridge or a ferry.

    tools/maps/land_miles.py        (python3-numpy, python3-scipy, python3-pil; reads shore/coast.png)

Prints the marinas whose position lies on land that neither reaches the mainland nor has a ferry (an islet): they
are measured from the nearest mainland instead.
"""
import csv
import math
import multiprocessing
import os
import re
import sys

import numpy as np
from PIL import Image
from scipy import ndimage
from scipy.sparse import coo_matrix
from scipy.sparse.csgraph import dijkstra

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
TABLES_CPP = [os.path.join(ROOT, "tools", "demo_data", name) for name in ("demo_towns.cpp", "demo_places.cpp")]
PLACES_CSV = os.path.join(HERE, "mark-places.csv")
COAST_PNG = os.path.join(HERE, "shore", "coast.png")
MILES_CSV = os.path.join(HERE, "land-miles.csv")
REACH_CSV = os.path.join(HERE, "land-reach.csv")

BOX = (-72.0, -67.8, 41.0, 44.65)  # west, east, south, north of the mask (degrees)
COLS, ROWS = 6720, 8030
DLON = (BOX[1] - BOX[0]) / COLS
DLAT = (BOX[3] - BOX[2]) / ROWS
COARSE = 4                         # mask pixels to a side of a mainland cell
PAD_NORTH = 0.25                   # degrees of land added north of the mask
KM_PER_MI = 1.609344
KM_PER_DEG = 6371.0 * math.pi / 180.0
LIMIT_MI = 60.0                    # places farther than this are left out
ROAD_FACTOR = 1.2                  # roads wind: a leg by land is the shortest way over the land times this
SNAP_KM = 1.5                      # farthest a point lies from the land it is measured on
ISLET_KM = 2.0                     # farthest an islet's marina lies from the island with a ferry it is measured from

# Bridges over water wider than a mainland cell, each from one bank to the other (lat, lon); the drawn line
# becomes land.
BRIDGES = [
    ("Deer Isle Bridge over Eggemoggin Reach", 44.2990, -68.6880, 44.2960, -68.7030),
    ("Mount Hope Bridge", 41.6416, -71.2580, 41.6380, -71.2505),
    ("Sakonnet River Bridge", 41.6330, -71.2180, 41.6330, -71.2130),
    ("Newport Bridge", 41.5105, -71.3575, 41.5105, -71.3325),
    ("Jamestown Verrazzano Bridge", 41.5234, -71.4150, 41.5234, -71.3950),
]

# {geo, "City", "ST", "area", "zip", DDMM.m, -DDDMM.m, ...}
TOWN_ROW = re.compile(r'\{\d+, "((?:[^"\\]|\\.)*)", "(\w\w)", "\d+", "\d+", ([\d.]+), (-[\d.]+),')
# {"kind", "Name", "ST", DDMM.m, -DDDMM.m}
PLACE_ROW = re.compile(r'\{"(hospital|airport|rail|town)", "((?:[^"\\]|\\.)*)", "(\w\w)", ([\d.]+), (-[\d.]+)\}')
# {"Island", dock DDMM.m, -DDDMM.m, "Port", "ST", port DDMM.m, -DDDMM.m}
ROUTE_ROW = re.compile(r'\{"((?:[^"\\]|\\.)*)", ([\d.]+), (-[\d.]+), "((?:[^"\\]|\\.)*)", "(\w\w)", ([\d.]+), (-[\d.]+)\}')


def degrees(ddmm):
    v = abs(ddmm)
    d = int(v // 100)
    return math.copysign(d + (v - d * 100) / 60.0, ddmm)


def km_between(lat1, lon1, lat2, lon2):
    p1, p2 = np.radians(lat1), np.radians(lat2)
    h = np.sin((p2 - p1) / 2) ** 2 + np.cos(p1) * np.cos(p2) * np.sin(np.radians(lon2 - lon1) / 2) ** 2
    return 2 * 6371.0 * np.arcsin(np.sqrt(h))


def read_tables(paths=TABLES_CPP):
    """The places {key: (lat, lon)} ("town:City|ST", "hospital:Name|ST", ...; the first row of a town) and the
    ferry routes [(island, dock, port)] of the generator's tables."""
    text = "".join(open(path).read() for path in paths)
    places = {}
    for m in TOWN_ROW.finditer(text):
        places.setdefault("town:%s|%s" % (m.group(1), m.group(2)), (degrees(float(m.group(3))), degrees(float(m.group(4)))))
    for m in PLACE_ROW.finditer(text):
        key = "%s:%s|%s" % (m.group(1), m.group(2), m.group(3))
        if key in places:
            raise SystemExit("%s is in the tables twice" % key)
        places[key] = (degrees(float(m.group(4))), degrees(float(m.group(5))))
    routes = [(m.group(1), (degrees(float(m.group(2))), degrees(float(m.group(3)))),
               (degrees(float(m.group(6))), degrees(float(m.group(7))))) for m in ROUTE_ROW.finditer(text)]
    if not places or not routes:
        raise SystemExit("no towns, places or ferry routes in %s" % ", ".join(paths))
    return places, routes


def read_marinas():
    with open(PLACES_CSV) as f:
        rows = list(csv.DictReader(line for line in f if not line.startswith("#")))
    return sorted((int(r["marina_no"]), float(r["lat"]), float(r["lon"])) for r in rows)


def grid_graph(node, lat_of_row, cell_deg_lat, cell_deg_lon):
    """The land cells where `node` holds as a graph (km by road), each joined to its eight neighbours, and the
    index of each cell's node (-1 off the land)."""
    h, w = node.shape
    index = -np.ones(node.shape, dtype=np.int64)
    ys, xs = np.nonzero(node)
    index[ys, xs] = np.arange(len(ys))
    a_all, b_all, km_all = [], [], []
    for dr, dc in ((0, 1), (1, 0), (1, 1), (1, -1)):
        c0, c1 = max(0, -dc), w - max(0, dc)
        ok = node[0:h - dr, c0:c1] & node[dr:h, c0 + dc:c1 + dc]
        yy, xx = np.nonzero(ok)
        xx = xx + c0
        lat = lat_of_row(yy + dr / 2.0)
        dy = dr * cell_deg_lat * KM_PER_DEG
        dx = dc * cell_deg_lon * KM_PER_DEG * np.cos(np.radians(lat))
        a_all.append(index[yy, xx])
        b_all.append(index[yy + dr, xx + dc])
        km_all.append(np.hypot(dx, dy))
    a, b, km = np.concatenate(a_all), np.concatenate(b_all), np.concatenate(km_all)
    n = len(ys)
    km = km * ROAD_FACTOR
    graph = coo_matrix((np.concatenate([km, km]), (np.concatenate([a, b]), np.concatenate([b, a]))), shape=(n, n)).tocsr()
    return graph, index


class Land:
    """The mask's land: the mainland at COARSE cells with the bridges drawn in, and the islands at full
    resolution."""

    def __init__(self):
        water = np.asarray(Image.open(COAST_PNG).convert("L")) > 127
        if water.shape != (ROWS, COLS):
            raise SystemExit("%s is %d x %d pixels, not %d x %d" % (COAST_PNG, water.shape[1], water.shape[0], COLS, ROWS))
        self.fine = ~water
        self.fine_labels, _ = ndimage.label(self.fine, structure=np.ones((3, 3), bool))
        h, w = ROWS // COARSE, COLS // COARSE
        coarse = self.fine[:h * COARSE, :w * COARSE].reshape(h, COARSE, w, COARSE).any(axis=(1, 3))
        self.pad = int(math.ceil(PAD_NORTH / (DLAT * COARSE)))
        self.coarse = np.vstack([np.ones((self.pad, w), bool), coarse])
        self.north = BOX[3] + self.pad * DLAT * COARSE
        before, _ = ndimage.label(self.coarse, structure=np.ones((3, 3), bool))
        for name, lat1, lon1, lat2, lon2 in BRIDGES:
            # Each end on the land of its bank nearest the point given.
            (r1, c1), km1 = self.nearest(before, lambda win: win > 0, lat1, lon1, self.cell_centre, self.cell)
            (r2, c2), km2 = self.nearest(before, lambda win: win > 0, lat2, lon2, self.cell_centre, self.cell)
            if max(km1, km2) > 0.5 or before[r1, c1] == before[r2, c2]:
                raise SystemExit("the %s does not join two lands: its ends lie %.2f and %.2f km from land" % (name, km1, km2))
            for t in np.linspace(0, 1, 4 * max(abs(r2 - r1), abs(c2 - c1)) + 2):
                self.coarse[int(round(r1 + (r2 - r1) * t)), int(round(c1 + (c2 - c1) * t))] = True
        labels, _ = ndimage.label(self.coarse, structure=np.ones((3, 3), bool))
        self.coarse_labels = labels
        self.mainland_label = np.bincount(labels[labels > 0]).argmax()
        mainland = labels == self.mainland_label
        step = DLAT * COARSE
        self.graph, self.index = grid_graph(mainland, lambda r: self.north - (r + 0.5) * step, step, DLON * COARSE)
        print("mainland: %d cells of about 200 m, %d edges" % (self.graph.shape[0], self.graph.nnz // 2), flush=True)

    # ---- the mainland
    def cell(self, lat, lon):
        r = int(np.floor((self.north - lat) / (DLAT * COARSE)))
        c = int(np.floor((lon - BOX[0]) / (DLON * COARSE)))
        return min(max(r, 0), self.coarse.shape[0] - 1), min(max(c, 0), self.coarse.shape[1] - 1)

    def cell_centre(self, r, c):
        return self.north - (r + 0.5) * DLAT * COARSE, BOX[0] + (c + 0.5) * DLON * COARSE

    def nearest(self, labels, wanted, lat, lon, centre, to_rc):
        """The cell (or pixel) of `labels` nearest a point whose label `wanted` accepts, and the km to it."""
        r, c = to_rc(lat, lon)
        reach = 4
        while True:
            r0, c0 = max(0, r - reach), max(0, c - reach)
            win = labels[r0:r + reach + 1, c0:c + reach + 1]
            ok = wanted(win)
            if ok.any():
                ys, xs = np.nonzero(ok)
                clat, clon = centre(ys + r0, xs + c0)
                d = km_between(lat, lon, clat, clon)
                k = int(np.argmin(d))
                return (int(ys[k] + r0), int(xs[k] + c0)), float(d[k])
            if reach > 64:
                return None, float("inf")
            reach *= 2

    def on_mainland(self, lat, lon):
        """The mainland node nearest a point and the km to it."""
        rc, km = self.nearest(self.coarse_labels, lambda win: win == self.mainland_label, lat, lon,
                              lambda r, c: self.cell_centre(r, c), self.cell)
        return int(self.index[rc]), km

    def coarse_label_at(self, lat, lon):
        rc, km = self.nearest(self.coarse_labels, lambda win: win > 0, lat, lon, lambda r, c: self.cell_centre(r, c), self.cell)
        return int(self.coarse_labels[rc]), km

    # ---- the islands
    def pixel(self, lat, lon):
        r = int(np.floor((BOX[3] - lat) / DLAT))
        c = int(np.floor((lon - BOX[0]) / DLON))
        return min(max(r, 0), ROWS - 1), min(max(c, 0), COLS - 1)

    def pixel_centre(self, r, c):
        return BOX[3] - (r + 0.5) * DLAT, BOX[0] + (c + 0.5) * DLON

    def fine_land_at(self, lat, lon, labels=None):
        """The land pixel nearest a point (of the given islands only, when labels are given), its island's label and
        the km to it."""
        wanted = (lambda win: win > 0) if labels is None else (lambda win: np.isin(win, labels))
        rc, km = self.nearest(self.fine_labels, wanted, lat, lon, lambda r, c: self.pixel_centre(r, c), self.pixel)
        return rc, (int(self.fine_labels[rc]) if rc else 0), km


class Island:
    """One island's land at full resolution, walked from its marinas."""

    def __init__(self, land, label):
        ys, xs = np.nonzero(land.fine_labels == label)
        self.r0, self.c0 = ys.min(), xs.min()
        node = land.fine_labels[self.r0:ys.max() + 1, self.c0:xs.max() + 1] == label
        self.graph, self.index = grid_graph(node, lambda r: BOX[3] - (self.r0 + r + 0.5) * DLAT, DLAT, DLON)

    def node(self, rc):
        return int(self.index[rc[0] - self.r0, rc[1] - self.c0])


_graph = None


def _walk(args):
    source, targets, limit = args
    d = dijkstra(_graph, directed=True, indices=[source], limit=limit)[0]
    return d[targets]


def main(argv):
    global _graph
    places, routes = read_tables()
    marinas = read_marinas()
    land = Land()
    limit_km = LIMIT_MI * KM_PER_MI

    # Each place on the mainland, or on an island (its label at full resolution).
    main_places, island_places = {}, {}
    outside = []
    for key, (lat, lon) in sorted(places.items()):
        if not (BOX[0] <= lon <= BOX[1] and BOX[2] <= lat <= land.north):
            outside.append(key)
            continue
        label, km = land.coarse_label_at(lat, lon)
        if label == land.mainland_label and km <= SNAP_KM:
            main_places[key] = land.on_mainland(lat, lon)
        else:
            rc, fine_label, km = land.fine_land_at(lat, lon)
            if rc is None or km > SNAP_KM:
                raise SystemExit("%s lies %.1f km from any land" % (key, km))
            island_places[key] = (rc, fine_label, km)
    print("beyond the mask, left out: " + ", ".join(outside))
    # The ferry routes: the island each dock lies on, and its port's mainland node.
    docks = []
    for island, (dlat, dlon), (plat, plon) in routes:
        rc, label, km = land.fine_land_at(dlat, dlon)
        if km > SNAP_KM:
            raise SystemExit("the ferry dock of %s lies %.1f km from land" % (island, km))
        port, port_km = land.on_mainland(plat, plon)
        if port_km > SNAP_KM:
            raise SystemExit("the ferry port of %s lies %.1f km from the mainland" % (island, port_km))
        docks.append({"island": island, "rc": rc, "label": label, "snap": km, "port": port, "port_snap": port_km,
                      "ferry": float(km_between(dlat, dlon, plat, plon))})
    ferry_labels = {d["label"] for d in docks}

    # Where each marina is measured from.
    on_main, on_island = [], {}
    ferry_list = sorted(ferry_labels)
    for no, lat, lon in marinas:
        label, _ = land.coarse_label_at(lat, lon)
        rc, fine_label, snap = land.fine_land_at(lat, lon)
        if label != land.mainland_label and fine_label not in ferry_labels:
            # An islet: measured from the island with a ferry beside it, else from the mainland.
            rc, fine_label, snap = land.fine_land_at(lat, lon, ferry_list)
            where = "the nearest island with a ferry" if rc and snap <= ISLET_KM else "the nearest mainland"
            print("marina %4d lies on land without a bridge or a ferry: measured from %s" % (no, where))
        if label != land.mainland_label and rc and fine_label in ferry_labels and snap <= ISLET_KM:
            on_island.setdefault(fine_label, []).append((no, lat, lon, rc, snap))
            continue
        on_main.append((no, lat, lon) + land.on_mainland(lat, lon))

    # The mainland walks: from each mainland marina and each ferry port to every mainland place.
    keys = sorted(main_places)
    targets = np.array([main_places[k][0] for k in keys])
    sources = sorted({m[3] for m in on_main} | {d["port"] for d in docks})
    _graph = land.graph
    with multiprocessing.get_context("fork").Pool(int(os.environ.get("QUAYWISE_JOBS", "3"))) as pool:
        walked = pool.map(_walk, [(s, targets, limit_km * 1.5) for s in sources], chunksize=4)
    from_node = dict(zip(sources, walked))
    snap_of = np.array([main_places[k][1] for k in keys])

    miles, reach_rows = [], []
    for no, lat, lon, node, snap in on_main:
        d = from_node[node] + snap + snap_of
        for k, km in zip(keys, d):
            if km <= limit_km:
                miles.append((no, k, km / KM_PER_MI, 0))
        reach_rows.append((no, lat, lon, "", ""))

    for label, group in sorted(on_island.items()):
        island = Island(land, label)
        own_docks = [d for d in docks if d["label"] == label]
        name = own_docks[0]["island"]
        local = [(k, v) for k, v in sorted(island_places.items()) if v[1] == label]
        for no, lat, lon, rc, snap in group:
            d = dijkstra(island.graph, directed=True, indices=[island.node(rc)])[0] + snap
            reach = float(np.max(d[np.isfinite(d)]))
            best = {}
            for k, (prc, _, psnap) in local:
                best[k] = (d[island.node(prc)] + psnap, 0)
            for dock in own_docks:
                to_dock = d[island.node(dock["rc"])] + dock["snap"]
                best.setdefault("dock:" + dock["island"], (to_dock, 0))
                best["dock:" + dock["island"]] = min(best["dock:" + dock["island"]], (to_dock, 0))
                via = to_dock + dock["ferry"] + dock["port_snap"] + from_node[dock["port"]] + snap_of
                for k, km in zip(keys, via):
                    if k not in best or (best[k][1] == 1 and km < best[k][0]):
                        best[k] = (km, 1)
            for k, (km, ferry) in sorted(best.items()):
                if km <= limit_km:
                    miles.append((no, k, km / KM_PER_MI, ferry))
            reach_rows.append((no, lat, lon, name, "%.2f" % (reach / KM_PER_MI)))
        print("%s: %d marinas, reach %s mi" % (name, len(group), ", ".join(r[4] for r in reach_rows[-len(group):])))

    with open(MILES_CSV, "w", newline="") as f:
        f.write("# Statute miles from each demo marina (mark-places.csv) to each place of the generator's tables within\n"
                "# %g mi, by land, or from an island by land, ferry and land (ferry 1), by land_miles.py.\n" % LIMIT_MI)
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["marina_no", "place", "mi", "ferry"])
        for no, k, mi, ferry in sorted(miles):
            w.writerow([no, k, "%.2f" % mi, ferry])
    with open(REACH_CSV, "w", newline="") as f:
        f.write("# Each demo marina's position as land_miles.py measured from it, the island reached only by ferry it\n"
                "# lies on (blank: the mainland) and the farthest any point of that island lies from it by land (mi).\n")
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["marina_no", "lat", "lon", "island", "reach_mi"])
        for row in sorted(reach_rows):
            w.writerow([row[0], "%.5f" % row[1], "%.5f" % row[2], row[3], row[4]])
    print("%d distances from %d marinas" % (len(miles), len(marinas)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
