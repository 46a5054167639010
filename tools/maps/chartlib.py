"""Shared pieces of the chart tools: the map sizes, the marks, the fitted
windows and their projections: Mercator (WGS-84 ellipsoid, as GMT's -JM uses
it) for the sub-region maps, plain longitude and latitude at the same degrees
per pixel for the overview, whose hot areas were laid over such a chart."""
import atexit
import csv
import math
import os
import re
import shutil
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
MAP_TABLE = os.path.join(ROOT, "src", "maps", "map_table.cpp")
WINDOWS_CSV = os.path.join(HERE, "map-windows.csv")

# gmt writes its session history (gmt.history) into the working folder even with
# --GMT_HISTORY=false, so every gmt call runs in a scratch folder: the checkout
# the tools are started from stays clean.
GMT_FOLDER = tempfile.mkdtemp(prefix="quaywise-gmt-")
atexit.register(shutil.rmtree, GMT_FOLDER, True)

MAP_W, MAP_H = 600, 492          # sub-region pictures, pixels
OVERVIEW_W, OVERVIEW_H = 447, 480
TWIPS = 15.0                     # twips per pixel

# Title rectangles (twips on the picture) where the window lays its caption; kept clear.
TITLES = {
    "frmSubRegion": (2160, 840, 2775, 255), "Frmsubregion2": (240, 1080, 1935, 255),
    "Frmsubregion3": (4560, 240, 3375, 255), "Frmsubregion4": (480, 1320, 3375, 255),
    "Frmsubregion5": (360, 960, 2895, 495), "Frmsubregion6": (240, 3240, 4455, 255),
    "Frmsubregion7": (1200, 840, 2895, 255), "Frmsubregion8": (5040, 240, 3615, 255),
    "Frmsubregion9": (360, 960, 3255, 255), "Frmsubregion10": (3360, 0, 4815, 255),
    "Frmsubregion11": (120, 240, 4095, 255), "Frmsubregion12": (2880, 240, 3495, 255),
}
# The overview's hot areas (twips on the picture) and the Roman numerals drawn beside them.
OVERVIEW_TITLE = (480, 120, 5775, 255)
HOT_AREAS = [(5400, 720, 1095, 855), (4680, 960, 735, 975), (3360, 1440, 1215, 975), (2160, 1920, 1095, 1335),
             (1440, 3360, 1095, 975), (1320, 4440, 975, 855), (2520, 4920, 1095, 975), (1800, 5880, 1695, 495),
             (1560, 5400, 855, 495), (1320, 5280, 255, 615), (840, 5280, 255, 615), (240, 5880, 735, 615)]
NAMES = ["frmSubRegion"] + ["Frmsubregion%d" % k for k in range(2, 13)]

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

    @staticmethod
    def of_row(r, w=MAP_W, h=MAP_H):
        """The window of a row of map-windows.csv."""
        cls = LonLatWindow if r.get("projection") == "lonlat" else Window
        return cls(float(r["west"]), float(r["east"]), float(r["south"]), float(r["north"]), w, h)

    def gmt_projection(self):
        return "-JM%dp" % self.w

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


class LonLatWindow(Window):
    """A window in plain longitude and latitude, a degree of each the same number of pixels."""

    @classmethod
    def from_centre(cls, lon, lat, k, w=MAP_W, h=MAP_H):
        return cls(lon - w / 2 / k, lon + w / 2 / k, lat - h / 2 / k, lat + h / 2 / k, w, h)

    def gmt_projection(self):
        return "-JX%dpd/%dpd" % (self.w, self.h)

    def to_px(self, lon, lat):
        return (lon - self.west) * self.k, (self.north - lat) * self.k

    def to_geo(self, x, y):
        return self.west + x / self.k, self.north - y / self.k


def read_marks():
    """{window: [(mark, marina_no, geo, left, top, width, height) in definition order]},
    read from the program's map table: each map's opening line, then its marks."""
    map_line = re.compile(r'^\s*\{\d+, "[IVX]+", "(\w+)", "\w+", (\d+),')
    mark_line = re.compile(r'^\s*\{(\d+), (\d+), \{(\d+), (\d+), (\d+), (\d+)\}\}')
    maps, window, geo = {}, None, 0
    with open(MAP_TABLE) as f:
        for line in f:
            if m := map_line.match(line):
                window, geo = m.group(1), int(m.group(2))
            elif (m := mark_line.match(line)) and window:
                n, marina, left, top, width, height = map(int, m.groups())
                maps.setdefault(window, []).append(("Img%d" % n, marina, geo, left, top, width, height))
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
    out = subprocess.run(["gmt", "coast", "--GMT_HISTORY=false", "-R" + region, "-D" + coast_resolution(), "-M", "-W", "-A0.5/" + level],
                         cwd=GMT_FOLDER, check=True, capture_output=True, text=True).stdout
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
