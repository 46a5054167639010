"""Shared pieces of the chart tools: the map sizes, the marks, the fitted
windows and the Mercator projection (WGS-84 ellipsoid, as GMT's -JM uses it)."""
import csv
import math
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
MARKS_CSV = os.path.join(ROOT, "tools", "demo_data", "map-marks.csv")
WINDOWS_CSV = os.path.join(HERE, "map-windows.csv")

MAP_W, MAP_H = 600, 492          # sub-region pictures, pixels
OVERVIEW_W, OVERVIEW_H = 447, 480
TWIPS = 15.0                     # twips per pixel

E = 0.0818191908426215           # WGS-84 first eccentricity


def merc_y(lat):
    """Mercator northing in degrees of longitude (ellipsoidal)."""
    p = math.radians(lat)
    es = E * math.sin(p)
    return math.degrees(math.log(math.tan(math.pi / 4 + p / 2) * ((1 - es) / (1 + es)) ** (E / 2)))


def merc_lat(y):
    """Inverse of merc_y."""
    t = math.exp(-math.radians(y))
    p = math.pi / 2 - 2 * math.atan(t)
    for _ in range(12):
        es = E * math.sin(p)
        p = math.pi / 2 - 2 * math.atan(t * ((1 - es) / (1 + es)) ** (E / 2))
    return math.degrees(p)


class Window:
    """A map window: west/east/south/north for a picture of w x h pixels in Mercator."""

    def __init__(self, west, east, south, north, w=MAP_W, h=MAP_H):
        self.west, self.east, self.south, self.north, self.w, self.h = west, east, south, north, w, h

    @classmethod
    def from_centre(cls, lon, lat, k, w=MAP_W, h=MAP_H):
        """k: pixels per degree of longitude."""
        yc = merc_y(lat)
        return cls(lon - w / 2 / k, lon + w / 2 / k, merc_lat(yc - h / 2 / k), merc_lat(yc + h / 2 / k), w, h)

    @property
    def k(self):
        return self.w / (self.east - self.west)

    def to_px(self, lon, lat):
        return (lon - self.west) * self.k, (merc_y(self.north) - merc_y(lat)) * self.k

    def to_geo(self, x, y):
        return self.west + x / self.k, merc_lat(merc_y(self.north) - y / self.k)

    def region(self):
        return "%.6f/%.6f/%.6f/%.6f" % (self.west, self.east, self.south, self.north)


def read_marks():
    """{window: [(mark, marina_no, geo, left, top, width, height) in definition order]}"""
    maps = {}
    with open(MARKS_CSV) as f:
        for r in csv.DictReader(f):
            maps.setdefault(r["window"], []).append(
                (r["mark"], int(r["marina_no"]), int(r["geo_code"]),
                 int(r["left"]), int(r["top"]), int(r["width"]), int(r["height"])))
    return maps


def mark_centre(m):
    _, _, _, left, top, width, height = m
    return (left + width / 2) / TWIPS, (top + height / 2) / TWIPS


def read_windows(path=WINDOWS_CSV):
    out = {}
    with open(path) as f:
        for r in csv.DictReader(row for row in f if not row.startswith("#")):
            out[r["window"]] = r
    return out


def coast_resolution():
    """Full resolution where the full coastline set is installed, high otherwise."""
    for d in ("/usr/share/gmt/coast", "/usr/share/gmt-gshhg"):
        if os.path.exists(os.path.join(d, "binned_GSHHS_f.nc")):
            return "f"
    return "h"


def shoreline(region, level="1/1"):
    """Segments of the land/sea shoreline in `region` (w/e/s/n text): list of [(lon, lat), ...]."""
    out = subprocess.run(["gmt", "coast", "-R" + region, "-D" + coast_resolution(), "-M", "-W", "-A0/" + level],
                         check=True, capture_output=True, text=True).stdout
    segs, cur = [], []
    for line in out.splitlines():
        if line.startswith(">"):
            if len(cur) > 1:
                segs.append(cur)
            cur = []
        elif line.strip():
            a, b = line.split()[:2]
            cur.append((float(a), float(b)))
    if len(cur) > 1:
        segs.append(cur)
    return segs
