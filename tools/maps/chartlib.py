"""Shared pieces of the chart tools: the map sizes, the marks, the fitted
windows and their projections (Mercator on the WGS-84 ellipsoid, as GMT's -JM
uses it, for the sub-region maps; plain longitude and latitude at the same
degrees per pixel for the overview, whose hot areas were laid over such a
chart), the coast layers as GMT draws them, the local warps of the coast toward
the marks, and the land and water mask the fit, the drawing and the check share.

Needs gmt with the full-resolution GSHHG coastlines (gmt-gshhg-full), gmt-dcw,
python3-numpy, python3-scipy and python3-pil.
"""
import atexit
import csv
import math
import os
import re
import shutil
import subprocess
import tempfile

import numpy as np
from PIL import Image
from scipy import ndimage

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
MAP_TABLE = os.path.join(ROOT, "src", "maps", "map_table.cpp")
WINDOWS_CSV = os.path.join(HERE, "map-windows.csv")
WARPS_CSV = os.path.join(HERE, "map-warps.csv")

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

# What a mark may be: its centre on the water or within SHORE_PX of the drawn
# shore, and never more than OFFSHORE_PX out from it.
SHORE_PX = 3.0
OFFSHORE_PX = 8.0
# The largest shift of the coast a warp may make, pixels of the 1x picture; more on the North Shore,
# whose north end (Hampton Harbor, the Isles of Shoals) lies farther from its marks than any window reaches.
WARP_LIMIT_PX = 15.0
WARP_LIMITS = {"Frmsubregion5": 18.0}


def warp_limit(name):
    return WARP_LIMITS.get(name, WARP_LIMIT_PX)

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

    def centre(self):
        return (self.west + self.east) / 2, merc_lat((merc_y(self.south) + merc_y(self.north)) / 2)

    def grown(self, factor):
        """The same centre and scale, a picture `factor` times as wide and high."""
        lon, lat = self.centre()
        return type(self).from_centre(lon, lat, self.k, int(round(self.w * factor)), int(round(self.h * factor)))

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

    def centre(self):
        return (self.west + self.east) / 2, (self.south + self.north) / 2

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


def read_csv_rows(path):
    """The rows of a CSV file whose comment lines start with '#'."""
    with open(path) as f:
        return list(csv.DictReader(row for row in f if not row.startswith("#")))


def read_windows(path=WINDOWS_CSV):
    return {r["window"]: r for r in read_csv_rows(path)}


def window_of(name, windows=None):
    """The window of map `name` (or of the overview) as map-windows.csv holds it."""
    r = (windows or read_windows())[name]
    return Window.of_row(r, OVERVIEW_W, OVERVIEW_H) if name == "frmOverviewChart" else Window.of_row(r)


def require_full_resolution():
    """The charts are drawn from the full-resolution shorelines only: the high ones miss the rivers and
    harbours (the Piscataqua, the Union River) that marks sit on."""
    for d in ("/usr/share/gmt/coast", "/usr/share/gmt-gshhg"):
        if os.path.exists(os.path.join(d, "binned_GSHHS_f.nc")):
            return
    raise SystemExit("the full-resolution GSHHG coastlines are missing (Debian package gmt-gshhg-full)")


def gmt(module, args, stdin=None, stdout=None):
    """Runs one gmt module in the scratch folder; returns its output text unless `stdout` takes it."""
    r = subprocess.run(["gmt", module] + list(args) + ["--GMT_HISTORY=false"], input=stdin, cwd=GMT_FOLDER, check=True, text=True,
                       stdout=stdout if stdout is not None else subprocess.PIPE)
    return r.stdout


def shoreline(region, level="1/1"):
    """Segments of the land/sea shoreline in `region` (w/e/s/n text): list of [(lon, lat), ...]."""
    out = gmt("coast", ["-R" + region, "-Df", "-M", "-W", "-A0/" + level])
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


class Plot:
    """A PostScript page laid out in points, one point to a pixel of the 1x picture, turned into
    pictures at any whole scale: the same chart, sharper."""

    def __init__(self, path, window, w, h):
        self.path, self.win, self.w, self.h = path, window, w, h
        self.first = True
        self.common = ["--PS_MEDIA=%dpx%dp" % (w, h), "--PS_PAGE_ORIENTATION=portrait", "--MAP_FRAME_TYPE=inside",
                       "--FONT_ANNOT_PRIMARY=6p,Helvetica,#4a4a4a", "--MAP_TICK_LENGTH_PRIMARY=4p",
                       "--MAP_FRAME_PEN=0.8p,#303030", "--MAP_TICK_PEN_PRIMARY=0.5p,#303030",
                       "--FORMAT_GEO_MAP=ddd:mmF", "--MAP_ANNOT_OFFSET_PRIMARY=2p", "--FONT_LABEL=7p,Helvetica,#303030",
                       "--MAP_SCALE_HEIGHT=4p", "--PS_LINE_JOIN=round", "-Ve"]
        if os.path.exists(path):
            os.remove(path)

    def run(self, module, args, stdin=None):
        cmd = list(args) + self.common
        cmd += ["-K"] if self.first else ["-O", "-K"]
        if self.first:
            cmd += ["-X0", "-Y0", "-P"]
        self.first = False
        with open(self.path, "a") as out:
            gmt(module, cmd, stdin, out)

    def geo(self):
        return ["-R" + self.win.region(), self.win.gmt_projection()]

    def pix(self):
        return ["-R0/%d/0/%d" % (self.w, self.h), "-JX%dp/%dp" % (self.w, self.h)]

    def text(self, items, font, justify="CM", extra=(), angle=0):
        """items: (x, y, text) in pixels from the top-left; angle: degrees counter-clockwise."""
        data = "".join("%.2f %.2f %s\n" % (x, self.h - y, t) for x, y, t in items)
        self.run("pstext", self.pix() + ["-F+f%s+a%s+j%s" % (font, angle, justify), "-N"] + list(extra), data)

    def polygon(self, pts, args):
        data = "".join("%.2f %.2f\n" % (x, self.h - y) for x, y in pts)
        self.run("psxy", self.pix() + args, data)

    def raster(self, scale, transparent=False, smooth=True):
        """Closes the page and returns it as an RGB(A) picture of scale times its size in points."""
        if not self.first:
            self.run("psxy", self.pix() + ["-T"])
        with open(self.path, "a") as out:
            gmt("psxy", ["-R0/1/0/1", "-JX1p", "-T", "-O"], stdout=out)
        folder = os.path.dirname(self.path)
        args = [self.path, "-T" + ("G" if transparent else "g"), "-E%d" % (72 * scale), "-D" + folder]
        gmt("psconvert", args + (["-Qt4", "-Qg4"] if smooth else []))
        with Image.open(os.path.splitext(self.path)[0] + ".png") as im:
            im = im.convert("RGBA" if transparent else "RGB")
        want = (self.w * scale, self.h * scale)
        if im.size != want:
            im = im.resize(want, Image.Resampling.LANCZOS)
        return im


# Chart colours: buff land, pale water with a deeper band along the shore, as paper charts show them.
LAND = "#f4e4b8"
WATER = "#e3f1fa"
SHALLOW = "#b9dcf2"
SHORE = "#4a3f2a"
BORDER = "#8a7a5a"
RIVER = "#8ec3e6"


def coast_layers(p, detail=True, mask=False):
    """The land and the water of a chart: the sea, lakes and double-lined rivers filled as water, the
    shore line, rivers and canals (the Cape Cod Canal is one of the river set's canals) and borders.
    As a mask: land black and water white, the canals counted as water, nothing else drawn."""
    g = p.geo()
    res = "-Df" if detail else "-Di"
    if mask:
        p.run("pscoast", g + [res, "-A0", "-Swhite", "-Gblack", "-Cwhite", "-Ic/%s,white" % CANAL_PEN])
        return
    p.run("pscoast", g + [res, "-A0", "-S" + WATER])
    # A deeper band of water along the shore, under the land.
    p.run("pscoast", g + [res, "-A0", "-W1/%s,%s" % ("7p" if detail else "4p", SHALLOW)])
    args = g + [res, "-A0", "-G" + LAND, "-C" + WATER, "-W1/%s,%s" % ("0.7p" if detail else "0.4p", SHORE), "-W2/0.3p,%s" % SHORE,
                "-N1/0.9p,%s,-" % BORDER, "-N2/0.6p,%s,-" % BORDER, "-I1/0.9p,%s" % RIVER, "-I2/0.8p,%s" % RIVER]
    if detail:
        # The sub-region maps follow the rivers up to their towns (the Penobscot to Bangor).
        args += ["-I3/0.6p,%s" % RIVER, "-I4/0.4p,%s" % RIVER]
    p.run("pscoast", args)
    if detail:
        # The canals' banks, drawn as the shore is where they cut through the land.
        p.run("pscoast", g + [res, "-A0", "-Gc"])
        p.run("pscoast", g + [res, "-A0", "-Ic/%s,%s" % (CANAL_BANK_PEN, SHORE)])
        p.run("pscoast", ["-Q"])
        p.run("pscoast", g + [res, "-A0", "-Ic/%s,%s" % (CANAL_PEN, WATER)])


CANAL_PEN = "2.2p"
CANAL_BANK_PEN = "3.2p"


class Warp:
    """A smooth local shift of the coast toward the marks that no window puts at their harbours: a sum
    of Gaussian bumps, each moving the chart near its anchor by (dx, dy) pixels of the 1x picture and
    fading to nothing a few sigmas away. The picture at p shows what the unwarped chart shows at
    p - shift(p)."""

    def __init__(self, anchors=()):
        self.anchors = [tuple(map(float, a)) for a in anchors]  # (x, y, dx, dy, sigma)

    def __bool__(self):
        return bool(self.anchors)

    def shift(self, x, y):
        x, y = np.asarray(x, float), np.asarray(y, float)
        dx, dy = np.zeros_like(x), np.zeros_like(y)
        for ax, ay, vx, vy, s in self.anchors:
            g = np.exp(-((x - ax) ** 2 + (y - ay) ** 2) / (2 * s * s))
            dx += vx * g
            dy += vy * g
        return dx, dy

    def largest_shift(self, w, h):
        ys, xs = np.mgrid[0:h:0.5, 0:w:0.5]
        dx, dy = self.shift(xs, ys)
        return float(np.hypot(dx, dy).max()) if self.anchors else 0.0

    def apply(self, img, scale, order=1):
        """Warps an array of h x w (x channels) pixels of the picture at `scale`."""
        if not self.anchors:
            return img
        h, w = img.shape[:2]
        ys, xs = np.mgrid[0:h, 0:w].astype(float)
        # Pixel centres in 1x pixels.
        dx, dy = self.shift((xs + 0.5) / scale, (ys + 0.5) / scale)
        sx, sy = xs - dx * scale, ys - dy * scale
        if img.ndim == 2:
            return ndimage.map_coordinates(img, [sy, sx], order=order, mode="nearest")
        return np.dstack([ndimage.map_coordinates(img[:, :, c], [sy, sx], order=order, mode="nearest")
                          for c in range(img.shape[2])])


def read_warps(path=WARPS_CSV):
    """{window: Warp} from map-warps.csv."""
    out = {}
    if os.path.exists(path):
        for r in read_csv_rows(path):
            out.setdefault(r["window"], []).append((r["x"], r["y"], r["dx"], r["dy"], r["sigma"]))
    return {k: Warp(v) for k, v in out.items()}


def write_warps(warps, path=WARPS_CSV):
    with open(path, "w", newline="") as f:
        f.write("# Local shifts of the coast toward marks no window puts on the water, by fit_windows.py: near (x, y)\n"
                "# the chart moves by (dx, dy), fading with distance as a Gaussian of sigma; pixels of the 1x picture.\n")
        out = csv.writer(f, lineterminator="\n")
        out.writerow(["window", "x", "y", "dx", "dy", "sigma"])
        for name in sorted(warps, key=lambda n: (NAMES.index(n) if n in NAMES else -1)):
            for a in warps[name].anchors:
                out.writerow([name] + ["%.2f" % v for v in a])


def water_mask(window, scale=4, warp=None, detail=True, folder=None):
    """True where the chart of `window`, drawn at `scale` and warped, shows water."""
    own = folder is None
    folder = folder or tempfile.mkdtemp(prefix="quaywise-mask-")
    try:
        p = Plot(os.path.join(folder, "mask.ps"), window, window.w, window.h)
        coast_layers(p, detail=detail, mask=True)
        im = np.asarray(p.raster(scale, smooth=False).convert("L"), dtype=np.uint8)
    finally:
        if own:
            shutil.rmtree(folder, ignore_errors=True)
    water = im > 127
    if warp:
        water = warp.apply(water.astype(np.uint8), scale, order=0) > 0
    return water


def signed_distance(water, scale):
    """Distance of each pixel from the shore in pixels of the 1x picture: positive on land, negative on water."""
    land = ~water
    inland = ndimage.distance_transform_edt(land)
    out = ndimage.distance_transform_edt(water)
    return (np.where(land, inland - 0.5, 0.5 - out)) / scale


def sample(field, scale, pts):
    """Values of a per-pixel field (at `scale`) at points given in 1x pixels."""
    pts = np.asarray(pts, float).reshape(-1, 2)
    return ndimage.map_coordinates(field, [pts[:, 1] * scale - 0.5, pts[:, 0] * scale - 0.5], order=1, mode="nearest")


def classify(d):
    """A mark's place by its signed distance from the shore: water, shore or inland."""
    if abs(d) <= SHORE_PX:
        return "shore"
    return "inland" if d > 0 else "water"


def mark_fails(d):
    return d > SHORE_PX or d < -OFFSHORE_PX
