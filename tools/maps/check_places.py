#!/usr/bin/python3
"""Checks that each demo marina lies where its mark sits on the drawn chart and is named for that place, as a
boater reading the report would look for it:

  position  its printed Latitude and Longitude lie within PLACE_KM of the place the chart shows under its mark
            (the mark's centre taken back through the map's warp and window), or, where the chart's bound leaves
            that centre farther than PLACE_KM from any shore, on the shore under the mark's disc; and on the
            water's edge of the real coast (the marinas of tools/maps/kept-off-shore.csv, whose marks the bound
            keeps from their town's shore, are listed instead, and fail on anything else);
  harbour   its Harbor and City are a row of the generator's harbour table (tools/demo_data/demo_towns.cpp),
            whose point lies within HARBOUR_KM of the marina, and the map keys show the same harbour;
  shore     that point is on the marina's own water and shore: the way by water between them is short, and so
            is the way along the shore, which never crosses the water to the other bank;
  town      the City is a town of the marina's sub-region whose centre lies within TOWN_KM;
  land      the printed position and the harbour's point stand on the town's own land: the piece of land (the
            mainland or an island, full-resolution GSHHG, land-pieces.csv) under the town's centre, or nearest it
            where the centre lies on the water; never on an islet, a barrier beach cut off by an inlet or the land
            across the water;
  chart     its Chart # is the largest-scale chart of the generator's chart table whose box covers its position.

The real coast is the shore masks place_marks.py keeps in tools/maps/shore, and the land pieces land_pieces.py
keeps in tools/maps/land-pieces.csv. Exits 1 when a marina misses, and
prints each miss.

    tools/maps/check_places.py [--database PATH] [--km N]     (needs python3-numpy, python3-scipy, python3-pil)
"""
import argparse
import os
import re
import sqlite3
import sys

try:
    import numpy as np
    from PIL import Image
    from scipy import ndimage
    from scipy.sparse.csgraph import dijkstra

    from harbours import TOWNS_CPP, degrees, read_harbours
    from land_pieces import Lands
    from chartlib import (KEPT_OFF_SHORE, MARK_RADIUS_PX, MASK_SCALE, great_circle_km, NAMES, PLACE_KM, ROOT, SHORE_FOLDER, grid_graph, km_per_px, mark_centre, read_marks,
                          read_warps, read_windows, shore_window, window_of)
except ImportError as missing:
    # The test run counts 77 as skipped.
    print("check_places.py needs python3-numpy, python3-scipy and python3-pil: %s; not checked" % missing)
    sys.exit(77)

HARBOUR_KM = 1.5   # farthest a marina lies from the point of its harbour's row
EDGE_KM = 0.1      # farthest a printed position lies from the water's edge
TOWN_KM = 15.0     # farthest a marina lies from the centre of its town
# The ways from a marina to its harbour's point: by water, and along the shore (a strip of SHORE_STRIP_KM on
# each side of the water's edge, which crosses no water wider than twice that), each at most this many times
# the straight distance, and never shorter than the floor.
SEA_FACTOR, SEA_FLOOR_KM = 2.5, 2.0
SHORE_FACTOR, SHORE_FLOOR_KM = 4.0, 3.0
SHORE_STRIP_KM = 0.05

# {"number", "title", scale, south, north, west, east}
CHART_ROW = re.compile(r'\{"(\d{5})", "(?:[^"\\]|\\.)*", (\d+), ([\d.]+), ([\d.]+), (-[\d.]+), (-[\d.]+)\}')
# {geo, "City", "ST", "area", "zip", DDMM.m, -DDDMM.m, ...}
TOWN_ROW = re.compile(r'\{(\d+), "((?:[^"\\]|\\.)*)", "\w\w", "\d+", "\d+", ([\d.]+), (-[\d.]+),')



def read_tables(path=TOWNS_CPP):
    """The generator's towns {(geo, city): (lat, lon)} and harbours {(harbour, city): (lat, lon)}."""
    with open(path) as f:
        text = f.read()
    towns = {(int(m.group(1)), m.group(2)): (degrees(float(m.group(3))), degrees(float(m.group(4))))
             for m in TOWN_ROW.finditer(text)}
    harbours = {}
    for h in read_harbours(path):
        harbours.setdefault((h["name"], h["city"]), []).append((h["lat"], h["lon"]))
    charts = [(m.group(1), int(m.group(2)), [degrees(float(m.group(k))) for k in range(3, 7)]) for m in CHART_ROW.finditer(text)]
    return towns, harbours, charts


def chart_for(charts, p):
    """The number of the largest-scale chart whose box covers a point (lat, lon): the first of the table on a tie."""
    best = None
    for number, scale, (south, north, west, east) in charts:
        if south <= p[0] <= north and west <= p[1] <= east and (best is None or scale < best[1]):
            best = (number, scale)
    return best[0] if best else None


def km(a, b):
    """Kilometres between two points (lat, lon)."""
    return float(great_circle_km(a[0], a[1], b[0], b[1]))


def mark_places():
    """{marina_no: (window, mark, (lat, lon))}: the place each mark's chart shows, through the warp and window."""
    windows, warps, out = read_windows(), read_warps(), {}
    for name, marks in read_marks().items():
        w, warp = window_of(name, windows), warps.get(name)
        for m in marks:
            x, y = mark_centre(m)
            if warp:
                dx, dy = warp.shift(x, y)
                x, y = x - float(dx), y - float(dy)
            lon, lat = w.to_geo(x, y)
            out[m[1]] = (name, m[0], (lat, lon))
    return out


class Shore:
    """A map's real coast from its mask: where the water's edge is, and the ways by water and along the shore."""

    def __init__(self, name):
        self.window = shore_window(window_of(name))
        self.water = np.asarray(Image.open(os.path.join(SHORE_FOLDER, name + ".png")).convert("L")) > 127
        self.km = km_per_px(self.window) / MASK_SCALE  # km to a mask pixel

    def pixel(self, p):
        x, y = self.window.to_px(p[1], p[0])
        return int(round(y * MASK_SCALE - 0.5)), int(round(x * MASK_SCALE - 0.5))

    def crop(self, points, margin_km):
        """The part of the mask round the points: (water, offset, the points in it)."""
        pix = [self.pixel(p) for p in points]
        m = int(margin_km / self.km)
        h, w = self.water.shape
        y0, x0 = max(0, min(p[0] for p in pix) - m), max(0, min(p[1] for p in pix) - m)
        y1, x1 = min(h, max(p[0] for p in pix) + m + 1), min(w, max(p[1] for p in pix) + m + 1)
        inside = [(p[0] - y0, p[1] - x0) for p in pix]
        return self.water[y0:y1, x0:x1], inside

    def edge_km(self, p):
        """How far a point lies from the water's edge."""
        water, [(y, x)] = self.crop([p], 1.0)
        if not (0 <= y < water.shape[0] and 0 <= x < water.shape[1]):
            return float("inf")
        side = water if water[y, x] else ~water
        return float(ndimage.distance_transform_edt(side)[y, x]) * self.km

    def way_km(self, a, b, ribbon):
        """The shortest way from a to b through water (ribbon False) or along the shore (ribbon True), within
        the part of the map round them; inf where there is none."""
        straight = km(a, b)
        water, (pa, pb) = self.crop([a, b], straight + 2.0)
        if ribbon:
            strip = SHORE_STRIP_KM / self.km
            near_land = ndimage.distance_transform_edt(water) <= strip
            near_water = ndimage.distance_transform_edt(~water) <= strip
            allowed = near_land & near_water
        else:
            # A pixel more of water: a channel narrower than the mask's pixels stays open.
            allowed = ndimage.binary_dilation(water)
        # Start and end at the nearest allowed pixels.
        _, (iy, ix) = ndimage.distance_transform_edt(~allowed, return_indices=True)
        if not all(0 <= p[0] < water.shape[0] and 0 <= p[1] < water.shape[1] for p in (pa, pb)):
            return float("inf")
        pa, pb = (iy[pa], ix[pa]), (iy[pb], ix[pb])
        graph, index = grid_graph(allowed)
        dist = dijkstra(graph, directed=False, indices=[index[pa]])
        d = dist[0, index[pb]]
        return float(d) * self.km


def ddmm(text):
    text = (text or "").strip()
    return degrees(float(text)) if text else None


def land_problems(lands, town, centre, points):
    """Where the points [(what, (lat, lon))] stand on another land than the town's, whose centre is given."""
    own = lands.at(*centre)[0]
    out = []
    for what, p in points:
        piece = lands.at(*p)[0]
        if piece != own:
            out.append("%s on %s, not on %s's (%s)" % (what, lands.name(piece), town, lands.name(own)))
    return out


def check(row, place, shore, towns, harbours, charts, harbour_km, lands):
    """The problems of one marina: an empty list when all is well."""
    no, city, harbour, geo, key_harbour, lat_text, lon_text, chart = row
    city, harbour = (city or "").strip(), (harbour or "").strip()
    problems = []
    lat, lon = ddmm(lat_text), ddmm(lon_text)
    at = place
    if lon is not None:
        at = (lat if lat is not None else place[0], lon)
        d = km(at, place)
        if no in KEPT_OFF_SHORE:
            problems.append("kept off: its mark %.1f km from its harbour's shore, %s, where the chart's bound keeps it" % (
                d, {"at sea": "out at sea", "inland": "inland"}.get(KEPT_OFF_SHORE[no], "by land not its town's")))
        # A mark the chart's bound keeps farther than PLACE_KM from any shore: the shore under its disc.
        elif d > PLACE_KM and not (shore.edge_km(place) > PLACE_KM and d <= MARK_RADIUS_PX * km_per_px(shore.window)):
            problems.append("printed position %.2f km from the place under its mark" % d)
        edge = shore.edge_km(at)
        if edge > EDGE_KM:
            problems.append("printed position %.2f km from the water's edge" % edge)
    # A marina stored without a city is named by its harbour alone.
    rows = [(key, p) for key, ps in harbours.items() for p in ps if key[0] == harbour and (key[1] == city or not city)]
    if not rows:
        problems.append("harbour %r of %r is not in the harbour table" % (harbour, city))
    else:
        (name, town), point = min(rows, key=lambda r: km(at, r[1]))
        d = km(at, point)
        if d > harbour_km:
            problems.append("%.1f km from %s (%s)" % (d, name, town))
        else:
            by_sea = shore.way_km(at, point, ribbon=False)
            if by_sea > max(SEA_FLOOR_KM, SEA_FACTOR * d):
                problems.append("%.1f km by water from %s (%.1f km away)" % (by_sea, name, d))
            along = shore.way_km(at, point, ribbon=True)
            if along > max(SHORE_FLOOR_KM, SHORE_FACTOR * d):
                problems.append("on another shore than %s (%s km along the shore)" % (name, "%.1f" % along if np.isfinite(along) else "no way"))
        if (geo, town) not in towns:
            problems.append("%s is no town of geo code %d" % (town, geo))
        else:
            if km(at, towns[(geo, town)]) > TOWN_KM:
                problems.append("%.1f km from the centre of %s" % (km(at, towns[(geo, town)]), town))
            problems += land_problems(lands, town, towns[(geo, town)], [("printed position", at), ("the point of %s" % name, point)])
    if key_harbour != row[2]:
        problems.append("keys grid says %r" % key_harbour)
    if (chart or "").strip() != chart_for(charts, at):
        problems.append("chart %s, not %s" % (chart, chart_for(charts, at)))
    return problems


def listed(problems):
    """True when all that is wrong with a marina is that the chart's bound keeps its mark from its town's shore, as
    kept-off-shore.csv lists it: reported, not failed."""
    return all(p.startswith("kept off:") for p in problems)


def main(argv):
    ap = argparse.ArgumentParser()
    ap.add_argument("--database", default=os.path.join(ROOT, "build", "program", "Database", "marina.mdb"))
    ap.add_argument("--km", type=float, default=HARBOUR_KM, help="farthest a marina may lie from its harbour's point")
    a = ap.parse_args(argv[1:])
    if not os.path.exists(a.database):
        print("no database at %s" % a.database)
        return 2
    towns, harbours, charts = read_tables()
    db = sqlite3.connect("file:%s?mode=ro" % a.database, uri=True)
    rows = db.execute("SELECT c.MarinaNo, c.City, n.Harbor, v.[Geo Code], k.harbor, n.Latitude, n.Longitude, n.[Chart #] "
                      "FROM rpm_Contact_Information c JOIN rpm_nav_info n ON n.MarinaNo = c.MarinaNo "
                      "JOIN rpm_Vyk v ON v.MarinaNo = c.MarinaNo LEFT JOIN mapkeys k ON k.marinano = c.MarinaNo").fetchall()
    places = mark_places()
    shores = {name: Shore(name) for name in NAMES}
    lands = Lands()
    bad = 0
    for row in sorted(rows, key=lambda r: (NAMES.index(places[r[0]][0]), int(places[r[0]][1][3:]))):
        name, mark, place = places[row[0]]
        problems = check(row, place, shores[name], towns, harbours, charts, a.km, lands)
        if problems:
            left = listed(problems)
            bad += 0 if left else 1
            print("%-15s %-5s marina %4d  %s / %s: %s%s" % (name, mark, row[0], (row[1] or "").strip(), row[2], "; ".join(problems),
                                                             "  (listed)" if left else ""))
    print("%d of %d marinas lie where their marks show them, on their town's land and their harbour's water and shore (within "
          "%g km of its point), with the largest-scale chart of %d that covers them" % (len(rows) - bad, len(rows), a.km, len(charts)))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
