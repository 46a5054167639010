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
from scipy.sparse import coo_matrix

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

E = 0.0818191908426215           # WGS-84 first eccentricity


def merc_y(lat):
    """Mercator northing in degrees of longitude (ellipsoidal)."""
    p = math.radians(lat)
    es = E * math.sin(p)
    return math.degrees(math.log(math.tan(math.pi / 4 + p / 2) * ((1 - es) / (1 + es)) ** (E / 2)))


def merc_y_array(lat):
    """merc_y of an array of latitudes."""
    p = np.radians(np.asarray(lat, float))
    es = E * np.sin(p)
    return np.degrees(np.log(np.tan(np.pi / 4 + p / 2) * ((1 - es) / (1 + es)) ** (E / 2)))


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

    def to_px_array(self, lon, lat):
        """to_px of arrays of longitudes and latitudes."""
        return (np.asarray(lon, float) - self.west) * self.k, (merc_y(self.north) - merc_y_array(lat)) * self.k

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

    def to_px_array(self, lon, lat):
        return (np.asarray(lon, float) - self.west) * self.k, (self.north - np.asarray(lat, float)) * self.k


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


EARTH_KM = 6371.0


def great_circle_km(lat1, lon1, lat2, lon2):
    """Great-circle kilometres between points in degrees (numbers or numpy arrays)."""
    p1, p2 = np.radians(lat1), np.radians(lat2)
    h = np.sin((p2 - p1) / 2) ** 2 + np.cos(p1) * np.cos(p2) * np.sin(np.radians(np.asarray(lon2) - lon1) / 2) ** 2
    return 2 * EARTH_KM * np.arcsin(np.sqrt(h))


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


# The land and water masks the tools read the chart from: pixels to a pixel of the 1x picture.
MASK_SCALE = 4
# The real coast of each map as check_places.py reads it (place_marks.py writes it), with a margin round the
# picture of SHORE_MARGIN pixels of the 1x picture.
SHORE_FOLDER = os.path.join(HERE, "shore")
SHORE_MARGIN = 40


def shore_window(window):
    """The window of a map's shore mask: the same centre and scale, SHORE_MARGIN pixels more on every side."""
    lon, lat = window.centre()
    return type(window).from_centre(lon, lat, window.k, window.w + 2 * SHORE_MARGIN, window.h + 2 * SHORE_MARGIN)


def grid_graph(allowed):
    """The allowed pixels of a mask as a graph joining each to its eight neighbours (pixel lengths), with the index
    of each pixel: the ways by water and along the shore."""
    h, w = allowed.shape
    index = -np.ones(allowed.shape, dtype=np.int64)
    ys, xs = np.nonzero(allowed)
    index[ys, xs] = np.arange(len(ys))
    rows, cols, lengths = [], [], []
    for dy, dx, length in ((0, 1, 1.0), (1, 0, 1.0), (1, 1, 2 ** 0.5), (1, -1, 2 ** 0.5)):
        a = index[0:h - dy, max(0, -dx):w - max(0, dx)]
        b = index[dy:h, max(0, dx):w - max(0, -dx)]
        ok = (a >= 0) & (b >= 0)
        rows.append(a[ok])
        cols.append(b[ok])
        lengths.append(np.full(int(ok.sum()), length))
    n = len(ys)
    return coo_matrix((np.concatenate(lengths), (np.concatenate(rows), np.concatenate(cols))), shape=(n, n)).tocsr(), index


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

    def segments(self, items):
        out = []
        for a in items:
            if len(a) < 2:
                continue
            out.append(">\n")
            xy = np.column_stack([a[:, 0], self.h - a[:, 1]])
            out.append("\n".join("%.3f %.3f" % (x, y) for x, y in xy) + "\n")
        return "".join(out)

    def polygons(self, items, args):
        """Fills each polygon (pixels from the top-left)."""
        if items:
            self.run("psxy", self.pix() + list(args), self.segments(items))

    def lines(self, items, args):
        """Draws each line (pixels from the top-left)."""
        if items:
            self.run("psxy", self.pix() + list(args), self.segments(items))

    def clip(self, items):
        """Clips what follows to the polygons, until unclip."""
        self.run("psclip", self.pix(), self.segments(items) or ">\n0 0\n0 0\n")

    def unclip(self):
        self.run("psclip", ["-C"])

    def raster(self, scale, transparent=False, smooth=True):
        """Closes the page (once) and returns it as an RGB(A) picture of scale times its size in points."""
        if not getattr(self, "closed", False):
            if not self.first:
                self.run("psxy", self.pix() + ["-T"])
            with open(self.path, "a") as out:
                gmt("psxy", ["-R0/1/0/1", "-JX1p", "-T", "-O"], stdout=out)
            self.closed = True
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


def coast_layers(p, detail=True, mask=False, warp=None):
    """The land and the water of a chart: the sea, lakes and double-lined rivers filled as water, the
    shore line, rivers and canals (the Cape Cod Canal is one of the river set's canals) and borders.
    As a mask: land black and water white, the canals counted as water, nothing else drawn.
    A sub-region map (detail) is drawn from the coast's own lines and polygons, moved by its warp
    before they are drawn, so that every line stays as crisp as the unwarped chart's."""
    if detail and isinstance(p.win, Window) and not isinstance(p.win, LonLatWindow):
        coast_of(p.win).draw(p, warp, mask)
        return
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
    p.run("pscoast", args)


CANAL_PEN = "2.2p"
CANAL_BANK_PEN = "3.2p"


class Warp:
    """A smooth local shift of the coast that draws each mark's harbour under the mark: a sum of Gaussian
    bumps, each moving the chart near its anchor by (dx, dy) pixels of the 1x picture and fading to nothing a
    few sigmas away. The picture at p shows what the unwarped chart shows at p - shift(p); the coast's lines
    and polygons are moved before they are drawn (forward), never the drawn picture."""

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

    def gradient(self, x, y):
        """The derivatives of the shift: d(dx)/dx, d(dx)/dy, d(dy)/dx, d(dy)/dy."""
        x, y = np.asarray(x, float), np.asarray(y, float)
        out = [np.zeros_like(x) for _ in range(4)]
        for ax, ay, vx, vy, s in self.anchors:
            g = np.exp(-((x - ax) ** 2 + (y - ay) ** 2) / (2 * s * s))
            gx, gy = -(x - ax) / (s * s) * g, -(y - ay) / (s * s) * g
            out[0] += vx * gx
            out[1] += vx * gy
            out[2] += vy * gx
            out[3] += vy * gy
        return out

    def singular_values(self, x, y):
        """How the picture squeezes and stretches the chart at (x, y): the least and the greatest singular value
        of the map from the picture to the unwarped chart, both 1 where the warp does nothing."""
        a, b, c, d = self.gradient(x, y)
        j11, j12, j21, j22 = 1 - a, -b, -c, 1 - d
        # The singular values of a 2 x 2 matrix from its Frobenius norm and determinant.
        f = j11 ** 2 + j12 ** 2 + j21 ** 2 + j22 ** 2
        det = np.abs(j11 * j22 - j12 * j21)
        root = np.sqrt(np.maximum(f * f - 4 * det * det, 0))
        return np.sqrt(np.maximum((f - root) / 2, 0)), np.sqrt((f + root) / 2)

    def stretch(self, x, y):
        """How the picture stretches the chart at (x, y): the determinant of the map from the picture to the
        unwarped chart, 1 where the warp does nothing, below 1 where the chart is spread out, near 0 or
        below where it is squeezed or folded."""
        a, b, c, d = self.gradient(x, y)
        return (1 - a) * (1 - d) - b * c

    def least_stretch(self, w, h, step=0.5):
        """The smallest stretch over the picture and its margin: no warp may fold the chart."""
        if not self.anchors:
            return 1.0
        ys, xs = np.mgrid[-20:h + 20:step, -20:w + 20:step]
        return float(self.stretch(xs, ys).min())

    def forward(self, x, y):
        """Where the warped picture shows the point (x, y) of the unwarped chart: the p with p - shift(p) = (x, y),
        by Newton's method from (x, y) moved by its own shift."""
        x, y = np.asarray(x, float), np.asarray(y, float)
        if not self.anchors:
            return x.copy(), y.copy()
        sx, sy = self.shift(x, y)
        px, py = x + sx, y + sy
        for _ in range(20):
            sx, sy = self.shift(px, py)
            fx, fy = px - sx - x, py - sy - y
            if max(np.abs(fx).max(initial=0), np.abs(fy).max(initial=0)) < 1e-6:
                break
            a, b, c, d = self.gradient(px, py)
            j11, j12, j21, j22 = 1 - a, -b, -c, 1 - d
            det = j11 * j22 - j12 * j21
            det = np.where(np.abs(det) < 1e-6, 1e-6, det)
            px = px - (j22 * fx - j12 * fy) / det
            py = py - (-j21 * fx + j11 * fy) / det
        return px, py

    def largest_shift(self, w, h):
        ys, xs = np.mgrid[0:h:0.5, 0:w:0.5]
        dx, dy = self.shift(xs, ys)
        return float(np.hypot(dx, dy).max()) if self.anchors else 0.0



def dump(region, feature):
    """The pieces of a coast feature ("-W" shore, "-Ia" rivers and canals, "-Na" borders) in `region`, as GMT
    keeps them in its bins: [(level, array of (lon, lat))]."""
    out, level, cur = [], 0, []
    for line in gmt("coast", ["-R" + region, "-Df", "-M", "-A0", feature]).splitlines():
        if line.startswith(">"):
            if len(cur) > 1:
                out.append((level, np.array(cur)))
            cur = []
            level = int(line.rsplit("Level", 1)[1])
        elif line.strip():
            a, b = line.split()[:2]
            cur.append((float(a), float(b)))
    if len(cur) > 1:
        out.append((level, np.array(cur)))
    return out


def stitch(pieces, box, tol=2e-4):
    """Joins the pieces GMT cuts at its bin edges into whole lines: (chains, rings), chains running from the edge
    of `box` (west, east, south, north) to its edge, rings closed inside it."""
    west, east, south, north = box

    def on_edge(p):
        return min(abs(p[0] - west), abs(p[0] - east), abs(p[1] - south), abs(p[1] - north)) < tol / 4

    def key(p):
        return (int(round(p[0] / tol)), int(round(p[1] / tol)))

    rings, open_ = [], []
    for s in pieces:
        if np.abs(s[0] - s[-1]).max() < 1e-9:
            rings.append(s)
        else:
            open_.append(s)
    starts = {}
    for i, s in enumerate(open_):
        if not on_edge(s[0]):
            starts.setdefault(key(s[0]), []).append(i)
    nxt, has_prev = {}, set()
    for i, s in enumerate(open_):
        if on_edge(s[-1]):
            continue
        kx, ky = key(s[-1])
        best = None
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                for j in starts.get((kx + dx, ky + dy), ()):
                    d = np.abs(open_[j][0] - s[-1]).max()
                    if d < tol and j not in has_prev and (best is None or d < best[0]):
                        best = (d, j)
        if best:
            nxt[i] = best[1]
            has_prev.add(best[1])
    chains, used = [], set()

    def follow(i):
        parts = []
        while i is not None and i not in used:
            used.add(i)
            parts.append(open_[i] if not parts else open_[i][1:])
            i = nxt.get(i)
        return np.vstack(parts)

    for i in range(len(open_)):
        if i not in has_prev:
            chains.append(follow(i))
    for i in range(len(open_)):
        if i not in used:
            r = follow(i)
            rings.append(np.vstack([r, r[:1]]))
    return chains, rings


def close_along_box(chains, rings, box):
    """The polygons of one level: each ring, and the chains joined along the edge of `box` (west, east, south,
    north), going round it counter-clockwise from where a chain leaves to where the next one enters. The
    coast keeps its land on the left, so a polygon is land (or, for a lake turned round, water) on its left."""
    west, east, south, north = box

    def t(p):
        x, y = p
        d = [abs(y - south), abs(x - east), abs(y - north), abs(x - west)]
        side = int(np.argmin(d))
        if side == 0:
            return (x - west) / (east - west)
        if side == 1:
            return 1 + (y - south) / (north - south)
        if side == 2:
            return 2 + (east - x) / (east - west)
        return 3 + (north - y) / (north - south)

    corners = [(east, south), (east, north), (west, north), (west, south)]  # at t = 1, 2, 3, 4
    ends = [(t(c[0]), t(c[-1])) for c in chains]
    polys, used = [], set()
    for first in range(len(chains)):
        if first in used:
            continue
        parts, cur = [chains[first]], first
        used.add(first)
        for _ in range(len(chains) + 1):
            te = ends[cur][1]
            nxt = min(range(len(chains)), key=lambda j: ((ends[j][0] - te) % 4.0, j))
            gap = (ends[nxt][0] - te) % 4.0
            # The corners passed between leaving and entering.
            k = int(np.floor(te)) + 1
            while k <= te + gap:
                parts.append(np.array([corners[(k - 1) % 4]]))
                k += 1
            if nxt == first:
                break
            parts.append(chains[nxt])
            used.add(nxt)
            cur = nxt
        polys.append(np.vstack(parts))
    return polys + list(rings)


class Coast:
    """The coast of a sub-region map as lines and polygons in pixels of its 1x picture: the shore of each level
    (1 land, 2 lakes, 3 islands in lakes, 4 ponds on them) with its polygons closed along a box a little larger
    than the picture, so that a warp never pulls a polygon's edge into view; rivers, canals and borders."""
    PAD = 40.0

    def __init__(self, window):
        self.win = window
        west, north = window.to_geo(-self.PAD, -self.PAD)
        east, south = window.to_geo(window.w + self.PAD, window.h + self.PAD)
        box = (west, east, south, north)
        region = "%.8f/%.8f/%.8f/%.8f" % box
        by_level = {}
        for level, s in dump(region, "-W"):
            by_level.setdefault(level, []).append(s)
        self.lines, self.polygons = {}, {}
        for level, pieces in by_level.items():
            chains, rings = stitch(pieces, box)
            self.lines[("shore", level)] = chains + rings
            if level % 2 == 0:  # lakes keep their water on the right: turned round, water is on the left
                chains, rings = [c[::-1] for c in chains], [r[::-1] for r in rings]
            self.polygons[level] = close_along_box(chains, rings, box)
        for feature, kind in (("-Ia", "river"), ("-Na", "border")):
            by_level = {}
            for level, s in dump(region, feature):
                by_level.setdefault(level, []).append(s)
            for level, pieces in by_level.items():
                chains, rings = stitch(pieces, box)
                self.lines[(kind, level)] = chains + rings
        self.lines = {k: [self.px(a) for a in v] for k, v in self.lines.items()}
        self.polygons = {k: [self.px(a) for a in v] for k, v in self.polygons.items()}

    def px(self, a):
        x, y = self.win.to_px_array(a[:, 0], a[:, 1])
        return np.column_stack([x, y])

    def warped(self, items, warp):
        if not warp:
            return items
        out = []
        for a in items:
            x, y = warp.forward(a[:, 0], a[:, 1])
            out.append(np.column_stack([x, y]))
        return out

    def line_set(self, kind, levels):
        out = []
        for level in levels:
            out += self.lines.get((kind, level), [])
        return out

    def draw(self, p, warp, mask):
        """Draws the coast on the page `p`, moved by `warp`: as a chart, or as a mask (land black, water and
        canals white)."""
        frame = [(0, 0), (p.w, 0), (p.w, p.h), (0, p.h)]
        canals = self.warped(self.line_set("river", (9, 10, 11)), warp)
        polygons = {k: self.warped(v, warp) for k, v in self.polygons.items()}
        if mask:
            p.polygon(frame, ["-Gwhite"])
            for level in sorted(polygons):
                p.polygons(polygons[level], ["-G" + ("black" if level % 2 else "white")])
            p.lines(canals, ["-W%s,white" % CANAL_PEN])
            return
        shore = self.warped(self.line_set("shore", (1,)), warp)
        p.polygon(frame, ["-G" + WATER])
        # A deeper band of water along the shore, under the land.
        p.lines(shore, ["-W7p,%s" % SHALLOW])
        for level in sorted(polygons):
            p.polygons(polygons[level], ["-G" + (LAND if level % 2 else WATER)])
        p.lines(shore, ["-W0.7p,%s" % SHORE])
        p.lines(self.warped(self.line_set("shore", (2,)), warp), ["-W0.3p,%s" % SHORE])
        p.lines(self.warped(self.line_set("border", (1,)), warp), ["-W0.9p,%s,-" % BORDER])
        p.lines(self.warped(self.line_set("border", (2,)), warp), ["-W0.6p,%s,-" % BORDER])
        for level, pen in ((1, "0.9p"), (2, "0.8p"), (3, "0.6p"), (4, "0.4p")):
            # The sub-region maps follow the rivers up to their towns (the Penobscot to Bangor).
            p.lines(self.warped(self.line_set("river", (level,)), warp), ["-W%s,%s" % (pen, RIVER)])
        if canals:
            # The canals' banks, drawn as the shore is where they cut through the land.
            p.clip(polygons.get(1, []))
            p.lines(canals, ["-W%s,%s" % (CANAL_BANK_PEN, SHORE)])
            p.unclip()
            p.lines(canals, ["-W%s,%s" % (CANAL_PEN, WATER)])


_coasts = {}


def coast_of(window):
    key = (type(window).__name__, window.region(), window.w, window.h)
    if key not in _coasts:
        _coasts[key] = Coast(window)
    return _coasts[key]


# How true a chart must stay to the coast: its coast drawn within TRUE_KM of its real place over TRUE_SHARE of
# the coast's length and nowhere farther than FAR_KM, and the chart nowhere squeezed or stretched beyond 2:1 (the
# singular values of the warp within SQUEEZE..STRETCH), so that the degree lines and the scale stay true.
TRUE_KM, TRUE_SHARE, FAR_KM = 2.0, 0.95, 4.0
SQUEEZE, STRETCH = 0.5, 2.0


def real_coast(name, window, water=None):
    """The real water's edge of a map as its shore mask holds it (the water pixels beside land), in pixels of the
    unwarped 1x picture, and the kilometres of shore each point stands for. `water`: a mask drawn for the window
    instead of the one kept (for a window being fitted)."""
    if water is None:
        water = np.asarray(Image.open(os.path.join(SHORE_FOLDER, name + ".png")).convert("L")) > 127
    land = ~water
    edge = water & (np.roll(land, 1, 0) | np.roll(land, -1, 0) | np.roll(land, 1, 1) | np.roll(land, -1, 1))
    edge[[0, -1], :] = edge[:, [0, -1]] = False
    ys, xs = np.nonzero(edge)
    pts = np.column_stack([(xs + 0.5) / MASK_SCALE - SHORE_MARGIN, (ys + 0.5) / MASK_SCALE - SHORE_MARGIN])
    # A line crosses 4/pi pixels a pixel of its length on average over its directions.
    return pts, km_per_px(window) / MASK_SCALE * math.pi / 4


def chart_truth(window, warp, coast, step=1.0):
    """How true the drawn chart is: {coast_km, share (of the drawn coast within TRUE_KM of its place), far_km (the
    farthest), squeeze and stretch (least and greatest singular value over the picture)}. `coast` as real_coast
    gives it."""
    pts, km_each = coast
    kpp = km_per_px(window)
    if warp:
        fx, fy = warp.forward(pts[:, 0], pts[:, 1])
    else:
        fx, fy = pts[:, 0].copy(), pts[:, 1].copy()
    inside = (fx >= 0) & (fx < window.w) & (fy >= 0) & (fy < window.h)
    moved = np.hypot(fx - pts[:, 0], fy - pts[:, 1])[inside] * kpp
    ys, xs = np.mgrid[0:window.h + 1:step, 0:window.w + 1:step]
    lo, hi = warp.singular_values(xs, ys) if warp else (np.ones(1), np.ones(1))
    return {"coast_km": float(inside.sum() * km_each), "share": float((moved <= TRUE_KM).mean()) if len(moved) else 1.0,
            "far_km": float(moved.max(initial=0)), "squeeze": float(lo.min()), "stretch": float(hi.max())}


def truth_fails(t):
    """What of a chart's truth (chart_truth) is past the bound: an empty list when it is true."""
    out = []
    if t["share"] < TRUE_SHARE:
        out.append("%.1f %% of the coast within %g km (at least %g %%)" % (100 * t["share"], TRUE_KM, 100 * TRUE_SHARE))
    if t["far_km"] > FAR_KM:
        out.append("coast drawn %.2f km from its place (at most %g)" % (t["far_km"], FAR_KM))
    if t["squeeze"] < SQUEEZE or t["stretch"] > STRETCH:
        out.append("squeezed to %.2f / stretched to %.2f (bound %g..%g)" % (t["squeeze"], t["stretch"], SQUEEZE, STRETCH))
    return out


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
        coast_layers(p, detail=detail, mask=True, warp=warp)
        im = np.asarray(p.raster(scale, smooth=False).convert("L"), dtype=np.uint8)
    finally:
        if own:
            shutil.rmtree(folder, ignore_errors=True)
    return im > 127


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


# A mark stands for a marina on the water's edge: taken back through its map's window and warp to the real coast,
# its centre lies within PLACE_KM of the real shore, so that the marina's printed position, on the shore, is the
# place the chart shows under the mark. On the larger-scale maps that is nearer than SHORE_PX and OFFSHORE_PX.
PLACE_KM = 0.5
# Where the bound that keeps a chart true leaves a mark's centre farther than that from any shore, the marina lies on
# the shore the chart shows under the mark's disc (12.5 points across): within MARK_RADIUS_PX of its centre.
MARK_RADIUS_PX = 6.0
# Marinas whose marks the bound keeps from their town's shore (kept-off-shore.csv: why, at sea, inland or by other
# land): they keep their harbour, on the town's shore nearest their mark, and the checks list them.
KEPT_OFF_SHORE = {int(r["marina_no"]): r["why"] for r in read_csv_rows(os.path.join(HERE, "kept-off-shore.csv"))}
# Where a warp would fold the chart: its area squeezed below FOLD_STRETCH (the bound keeps far from it).
FOLD_STRETCH = 0.05


def km_per_px(window):
    """Kilometres of the real coast to a pixel of the 1x picture, at the window's centre."""
    _, lat = window.centre()
    return 6378.137 * math.radians(1.0) * math.cos(math.radians(lat)) / window.k


class Target:
    """How far a mark's centre may lie from the drawn shore on a map, pixels: inland and out on the water."""

    def __init__(self, window):
        reach = PLACE_KM / km_per_px(window)
        self.land = min(SHORE_PX, reach)
        self.sea = min(OFFSHORE_PX, reach)

    def fails(self, d):
        return d > self.land or d < -self.sea

    def under_disc(self, d):
        """True when the drawn shore at least runs under the mark's disc."""
        return abs(d) <= MARK_RADIUS_PX

    def miss(self, d):
        """How far marks at signed distances d lie outside the target, summed."""
        d = np.asarray(d, float)
        return float((np.maximum(0, d - self.land) + np.maximum(0, -self.sea - d)).sum())


def classify(d):
    """A mark's place by its signed distance from the shore: water, shore or inland."""
    if abs(d) <= SHORE_PX:
        return "shore"
    return "inland" if d > 0 else "water"
