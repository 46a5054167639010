#!/usr/bin/python3
"""Checks that each demo marina's town, and so its harbour and the keys grid's
harbour text, names the place where its mark sits on the drawn chart: the town
of the demo database's rpm_Contact_Information.City must lie within a few km
of the mark's place through the map's window (where the generator puts the
marina, and where the chart's names are set), and no other town of the sub-region (tools/demo_data/demo_towns.cpp)
may lie clearly nearer. Exits 1 when a marina misses.

    tools/maps/check_places.py [--database PATH] [--km N]     (needs python3-numpy, python3-scipy)
"""
import argparse
import math
import os
import re
import sqlite3
import sys

from chartlib import NAMES, ROOT, mark_centre, read_marks, read_windows, window_of

TOWNS_CPP = os.path.join(ROOT, "tools", "demo_data", "demo_towns.cpp")
# {geo, "City", "ST", "area", "zip", {"Harbour", ...}, DDMM.m, -DDDMM.m, "tide", "service town", "miles", remote, out}
TOWN_ROW = re.compile(r'\{(\d+), "((?:[^"\\]|\\.)*)", "\w\w", "\d+", "\d+", \{([^}]*)\}, ([\d.]+), (-[\d.]+), [^}]*?, (true|false)\},')


def degrees(ddmm):
    v = abs(ddmm)
    d = int(v // 100)
    return math.copysign(d + (v - d * 100) / 60.0, ddmm)


def read_towns():
    """[(geo, city, [harbours], lat, lon, in rotation)] from the generator's table."""
    with open(TOWNS_CPP) as f:
        text = f.read()
    out = []
    for m in TOWN_ROW.finditer(text):
        harbours = re.findall(r'"((?:[^"\\]|\\.)*)"', m.group(3))
        out.append((int(m.group(1)), m.group(2), harbours, degrees(float(m.group(4))), degrees(float(m.group(5))),
                    m.group(6) == "false"))
    return out


def km(lat1, lon1, lat2, lon2):
    p1, p2 = math.radians(lat1), math.radians(lat2)
    a = math.sin((p2 - p1) / 2) ** 2 + math.cos(p1) * math.cos(p2) * math.sin(math.radians(lon2 - lon1) / 2) ** 2
    return 2 * 6371.0 * math.asin(math.sqrt(a))


def mark_places():
    """{marina_no: (window, mark, lat, lon)}: each mark's place through its map's window."""
    windows, out = read_windows(), {}
    for name, marks in read_marks().items():
        w = window_of(name, windows)
        for m in marks:
            lon, lat = w.to_geo(*mark_centre(m))
            out[m[1]] = (name, m[0], lat, lon)
    return out


def main(argv):
    ap = argparse.ArgumentParser()
    ap.add_argument("--database", default=os.path.join(ROOT, "build", "program", "Database", "marina.mdb"))
    ap.add_argument("--km", type=float, default=6.0, help="farthest a marina may lie from its town")
    a = ap.parse_args(argv[1:])
    towns = read_towns()
    db = sqlite3.connect("file:%s?mode=ro" % a.database, uri=True)
    rows = db.execute("SELECT c.MarinaNo, c.City, n.Harbor, v.[Geo Code], k.harbor FROM rpm_Contact_Information c "
                      "JOIN rpm_nav_info n ON n.MarinaNo = c.MarinaNo JOIN rpm_Vyk v ON v.MarinaNo = c.MarinaNo "
                      "LEFT JOIN mapkeys k ON k.marinano = c.MarinaNo").fetchall()
    places = mark_places()
    bad = 0
    for no, city, harbour, geo, key_harbour in sorted(rows, key=lambda r: (NAMES.index(places[r[0]][0]), int(places[r[0]][1][3:]))):
        name, mark, lat, lon = places[no]
        city = (city or "").strip()
        # A marina stored without a city is named by its harbour alone.
        own = [t for t in towns if t[0] == geo and (t[1] == city or not city) and (harbour or "").strip() in t[2]]
        nearest = min((t for t in towns if t[0] == geo and t[5]), key=lambda t: km(lat, lon, t[3], t[4]))
        problems = []
        if not own:
            problems.append("town and harbour not in the table")
        else:
            d = min(km(lat, lon, t[3], t[4]) for t in own)
            if d > a.km:
                problems.append("%.1f km from %s" % (d, city))
            if km(lat, lon, nearest[3], nearest[4]) < d - 1.5:
                problems.append("%s lies %.1f km nearer" % (nearest[1], d - km(lat, lon, nearest[3], nearest[4])))
        if key_harbour != harbour:
            problems.append("keys grid says %r" % key_harbour)
        if problems:
            bad += 1
            print("%-15s %-5s marina %4d  %s / %s at %.4f %.4f: %s" % (name, mark, no, city, harbour, lat, lon, "; ".join(problems)))
    print("%d of %d marinas named for the place their mark sits at (within %g km)" % (len(rows) - bad, len(rows), a.km))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
