#!/usr/bin/python3
"""Draws the overview chart and the twelve sub-region maps from the
full-resolution GSHHG coastlines with GMT, in the fitted windows of
map-windows.csv and with the warps of map-warps.csv, with the marks of
the program's map table as numbered markers and the place names of places.csv, into
assets/maps: each picture at its size (SubRegion1.jpg) and at twice its size
for screens scaled 2x (SubRegion1@2x.jpg).

    tools/maps/draw_charts.py [--out DIR] [WINDOW ...]
    (needs gmt, gmt-gshhg-full, gmt-dcw, python3-numpy, python3-scipy, python3-pil)
"""
import argparse
import math
import os
import shutil
import tempfile

import numpy as np
from PIL import Image, ImageDraw, ImageFont
from scipy import ndimage

from chartlib import (HERE, HOT_AREAS, LAND, MAP_H, MAP_W, MASK_SCALE, NAMES, OVERVIEW_TITLE, ROOT, TITLES, TWIPS, WATER, Plot, coast_layers,
                      read_csv_rows, read_marks, read_warps, read_windows, require_full_resolution, water_mask, window_of)

WATER_TEXT = "#1d4f7a"
LAND_TEXT = "#3a3226"
STATE_TEXT = "#8a7a5a"
MARK = "#c0187a"  # the magenta of chart symbols
TITLE_PANEL = "#ffffff"
SCALES = (1, 2)    # the pictures drawn: as designed, and twice as large

PICTURES = {"frmOverviewChart": "OverviewChart.jpg", "frmSubRegion": "SubRegion1.jpg"}
PICTURES.update({"Frmsubregion%d" % k: "SubRegion%d.jpg" % k for k in range(2, 13)})

NUMERALS = ["I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"]

FONT_FILES = {"Helvetica": "NimbusSans-Regular.otf", "Helvetica-Oblique": "NimbusSans-Italic.otf",
              "Helvetica-Bold": "NimbusSans-Bold.otf"}
FONT_FOLDER = "/usr/share/fonts/opentype/urw-base35"

# Name styles: size, face, colour, and the ground the name belongs on (a town on its land, a bay on its water).
PLACE_STYLES = {"sea": (9, "Helvetica-Oblique", WATER_TEXT, "water"), "bay": (7.5, "Helvetica-Oblique", WATER_TEXT, "water"),
                "town": (7, "Helvetica", LAND_TEXT, "land"), "state": (8, "Helvetica-Bold", STATE_TEXT, "land"),
                "island": (6.5, "Helvetica", LAND_TEXT, "land")}
HALO = 1.2  # points of the ground's colour around each name


def px_rect(tw):
    l, t, w, h = tw
    return l / TWIPS, t / TWIPS, w / TWIPS, h / TWIPS


def overlaps(a, b, pad=0):
    return a[0] < b[0] + b[2] + pad and b[0] < a[0] + a[2] + pad and a[1] < b[1] + b[3] + pad and b[1] < a[1] + a[3] + pad


def free_spot(size, candidates, busy):
    """First candidate box (x, y) of `size` that meets no busy rectangle."""
    for x, y in candidates:
        box = (x, y, size[0], size[1])
        if not any(overlaps(box, b, 4) for b in busy):
            return x, y
    return candidates[0]


_fonts = {}


def text_width(text, size, face):
    """Width of a text in points, from the metrics of the font the charts are set in."""
    key = (face, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(os.path.join(FONT_FOLDER, FONT_FILES[face]), 100)
    return _fonts[key].getlength(text) * size / 100.0


def label_corners(x, y, text, size, face, justify, angle):
    """The corners of a name's box, halo included, in pixels; (x, y) is its anchor, justify as GMT's."""
    w, h = text_width(text, size, face) + 2 * HALO, size * 0.95 + 2 * HALO
    left = -{"L": 0, "C": w / 2, "R": w}[justify[0]] - (0 if justify[0] == "C" else (HALO if justify[0] == "L" else -HALO))
    top = -{"T": 0, "M": h / 2, "B": h}[justify[1]]
    a = math.radians(float(angle))
    ca, sa = math.cos(a), math.sin(a)
    out = []
    for u, v in ((left, top), (left + w, top), (left + w, top + h), (left, top + h)):
        # Counter-clockwise on the page is clockwise in picture rows, which run downward.
        out.append((x + u * ca + v * sa, y - u * sa + v * ca))
    return out


def bounding_box(corners):
    xs, ys = [c[0] for c in corners], [c[1] for c in corners]
    return min(xs), min(ys), max(xs) - min(xs), max(ys) - min(ys)


def box_pixels(corners, shape, scale):
    """The mask pixels of a name's box with a pixel of the picture round it, or None where it leaves the
    picture: (top, left, inside)."""
    x0, y0, bw, bh = bounding_box(corners)
    h, w = shape
    left, top = int(math.floor((x0 - 1) * scale)), int(math.floor((y0 - 1) * scale))
    right, bottom = int(math.ceil((x0 + bw + 1) * scale)), int(math.ceil((y0 + bh + 1) * scale))
    if left < scale or top < scale or right > w - scale or bottom > h - scale:
        return None
    im = Image.new("1", (right - left, bottom - top), 0)
    ImageDraw.Draw(im).polygon([(x * scale - left, y * scale - top) for x, y in corners], fill=1, outline=1)
    return top, left, ndimage.binary_dilation(np.asarray(im, dtype=bool), iterations=scale)


class Ground:
    """The land and the water of a chart as drawn, each in its connected pieces: a name belongs on the piece
    of its own place (a town on its own shore, an island on the island, a bay on its own water)."""

    def __init__(self, water, scale):
        self.water, self.scale = water, scale
        self.pieces = {True: ndimage.label(water)[0], False: ndimage.label(~water)[0]}

    def piece(self, x, y, own):
        """The piece of `own` ground ('water' or 'land') at or nearest the point (x, y) of the 1x picture."""
        on_water = own == "water"
        labels = self.pieces[on_water]
        h, w = labels.shape
        cx, cy = int(np.clip(x * self.scale, 0, w - 1)), int(np.clip(y * self.scale, 0, h - 1))
        r = 6 * self.scale
        y0, x0 = max(0, cy - r), max(0, cx - r)
        window = labels[y0:cy + r + 1, x0:cx + r + 1]
        ys, xs = np.nonzero(window)
        if not len(ys):
            return 0
        k = int(np.argmin((ys + y0 - cy) ** 2 + (xs + x0 - cx) ** 2))
        return int(window[ys[k], xs[k]])

    def under(self, corners, piece, own):
        """True when the box lies wholly on the piece `piece` of `own` ground (any piece of it for piece None),
        with a pixel to spare."""
        got = box_pixels(corners, self.water.shape, self.scale)
        if got is None or piece == 0:
            return False
        top, left, inside = got
        labels = self.pieces[own == "water"][top:top + inside.shape[0], left:left + inside.shape[1]]
        return bool((labels[inside] == piece).all()) if piece is not None else bool((labels[inside] > 0).all())

    def astride(self, corners, piece):
        """True when a name's box, too wide for its land, stands on the land piece `piece` (its middle on it) and
        runs out over the water beside it only, touching no other land."""
        got = box_pixels(corners, self.water.shape, self.scale)
        if got is None or not piece:
            return False
        top, left, inside = got
        labels = self.pieces[False][top:top + inside.shape[0], left:left + inside.shape[1]]
        cx, cy = np.mean([c[0] for c in corners]), np.mean([c[1] for c in corners])
        middle = self.pieces[False][int(cy * self.scale), int(cx * self.scale)]
        return middle == piece and bool(np.isin(labels[inside], (0, piece)).all())


def candidates(p, px, py):
    """Where a name may go, nearest first: where places.csv puts it, then round its point, beside, above and
    below it for a town or an island, in widening rings for a sea, a bay or a state."""
    justify = p.get("justify") or "CM"
    angle = p.get("angle") or "0"
    out = [(px + float(p.get("dx") or 0), py + float(p.get("dy") or 0), justify, angle)]
    if p["kind"] in ("town", "island"):
        if p["kind"] == "island":
            out.append((px, py, "CM", "0"))
        for step in (3, 5, 8, 11, 14, 18, 22, 27, 33, 40):
            out += [(px + step, py, "LM", "0"), (px - step, py, "RM", "0"), (px, py - step, "CB", "0"), (px, py + step, "CT", "0"),
                    (px + step * 0.7, py - step * 0.7, "LB", "0"), (px - step * 0.7, py - step * 0.7, "RB", "0"),
                    (px + step * 0.7, py + step * 0.7, "LT", "0"), (px - step * 0.7, py + step * 0.7, "RT", "0")]
    else:
        x0, y0 = out[0][0], out[0][1]
        for ring in range(1, 9):
            for k in range(8 * ring):
                a = 2 * math.pi * k / (8 * ring)
                out.append((x0 + 6 * ring * math.cos(a), y0 + 4 * ring * math.sin(a), justify, angle))
    return out


# How near its point a town's or island's name set on the water beside it must come, pixels.
NEAR_PX = 14.0


def touches(box, x, y, near):
    """True when the box comes within `near` pixels of the point."""
    dx = max(box[0] - x, 0, x - (box[0] + box[2]))
    dy = max(box[1] - y, 0, y - (box[1] + box[3]))
    return math.hypot(dx, dy) <= near


def read_places():
    places = {}
    for r in read_csv_rows(os.path.join(HERE, "places.csv")):
        places.setdefault(r["window"], []).append(r)
    return places


def place_names(window, places, water, scale, busy, warp=None):
    """Where each name goes: the first candidate whose box lies wholly on the piece of land or water its place
    belongs to (the place as the warp draws it), clear of the marks, the title, the frame's labels and the names
    placed before it. Each placed name's box joins `busy`. Returns [(place, x, y, justify, angle, ground)] and
    the names that found no place."""
    ground = Ground(water, scale)
    placed, lost = [], []
    for p in places:
        size, face, _, own = PLACE_STYLES[p["kind"]]
        px, py = window.to_px(float(p["lon"]), float(p["lat"]))
        if warp:
            fx, fy = warp.forward(np.array([px]), np.array([py]))
            px, py = float(fx[0]), float(fy[0])
        # Its own piece of land or water first; a town or an island too small for its name has it on the
        # water beside it, close by (never on another piece of land); a sea or a bay anywhere on the water.
        own_piece = ground.piece(px, py, own)
        tries = [(own_piece, own, None)]
        if own == "land":
            # Too small for its name: astride its own land, then on the water beside it.
            tries += [(own_piece, "astride", None), (None, "water", NEAR_PX)]
        else:
            tries.append((None, "water", None))
        spot = None
        for piece, on, near in tries:
            for x, y, justify, angle in candidates(p, px, py):
                corners = label_corners(x, y, p["name"], size, face, justify, angle)
                box = bounding_box(corners)
                if near is not None and not touches(box, px, py, near):
                    continue
                if any(overlaps(box, b) for b in busy):
                    continue
                if ground.astride(corners, piece) if on == "astride" else ground.under(corners, piece, on):
                    spot = (x, y, justify, angle, box, on)
                    break
            if spot:
                break
        if spot is None:
            lost.append(p["name"])
            continue
        x, y, justify, angle, box, on = spot
        placed.append((p, x, y, justify, angle, on))
        busy.append(box)
    return placed, lost


def draw_names(c, placed):
    for p, x, y, justify, angle, ground in placed:
        size, face, colour, _ = PLACE_STYLES[p["kind"]]
        font = "%gp,%s,%s=~%gp,%s" % (size, face, colour, HALO * 1.4, WATER if ground == "water" else LAND)
        c.text([(x, y, p["name"])], font, justify, angle=angle)


def mark_boxes(marks):
    """The numbered markers, 12.5 points across, on the marks' centres."""
    return [((l + w / 2) / TWIPS - 7, (t + h / 2) / TWIPS - 7, 14, 14) for _, _, _, l, t, w, h in marks]


GRATICULE_PEN = "0.3p,#8aa4b8"
FRAME_FONT = "6p,Helvetica,#4a4a4a"


def degree_text(v, positive, negative):
    """A degree line's label as a chart prints it: 70°40'W."""
    minutes = int(round(abs(v) * 60))
    return "%d@.%02d'%s" % (minutes // 60, minutes % 60, positive if v >= 0 else negative)


def graticule(window, warp):
    """The degree lines of a chart drawn through its warp, so that they bend with the coast and a position read
    off them is true: ([lines in pixels], [(x, y, text, justify)] the labels where they meet the frame, inside it
    along the bottom and the left)."""
    step = tick_interval(window.east - window.west) / 60.0
    west, north = window.to_geo(-60, -60)
    east, south = window.to_geo(window.w + 60, window.h + 60)
    lines, labels = [], []
    t = np.linspace(0, 1, 400)
    for k in range(math.ceil(west / step), math.floor(east / step) + 1):
        lon = k * step
        x, y = window.to_px_array(np.full_like(t, lon), south + (north - south) * t)
        lines.append(("lon", lon, x, y))
    for k in range(math.ceil(south / step), math.floor(north / step) + 1):
        lat = k * step
        x, y = window.to_px_array(west + (east - west) * t, np.full_like(t, lat))
        lines.append(("lat", lat, x, y))
    out = []
    for kind, v, x, y in lines:
        if warp:
            x, y = warp.forward(x, y)
        out.append(np.column_stack([x, y]))
        # Where the line meets the bottom edge (a meridian) or the left edge (a parallel).
        along, across, edge = (x, y, window.h) if kind == "lon" else (y, x, 0.0)
        hit = np.nonzero(np.diff(np.sign(across - edge)))[0]
        if len(hit):
            i = hit[0]
            f = (edge - across[i]) / (across[i + 1] - across[i])
            at = along[i] + f * (along[i + 1] - along[i])
            if kind == "lon" and 24 < at < window.w - 24:
                labels.append((at + 2, window.h - 3, degree_text(v, "E", "W"), "LB"))
            elif kind == "lat" and 14 < at < window.h - 14:
                labels.append((3, at - 1.5, degree_text(v, "N", "S"), "LB"))
    return out, labels


def label_box(x, y, text, justify):
    """The box of a frame label, its panel included, in pixels."""
    w, h = text_width(text.replace("@.", "\u00b0"), 6, "Helvetica") + 2, 8
    return (x - 1 - (w / 2 if justify[0] == "C" else 0), y - h, w + 2, h + 1)


def frame_labels(window, warp=None):
    """The boxes of the frame's degree labels."""
    return [label_box(*label) for label in graticule(window, warp)[1]]


def map_busy(name, marks, window, warp=None):
    l, t, w, h = px_rect(TITLES[name])
    return mark_boxes(marks) + [(l - 4, t - 2, w + 8, h + 4)] + frame_labels(window, warp)


def place_names_check(name, water, scale, warp=None):
    """The names of a sub-region map that the drawing could place nowhere clear: none when all is well."""
    window = window_of(name, read_windows())
    _, lost = place_names(window, read_places().get(name, []), water, scale, map_busy(name, read_marks()[name], window, warp), warp)
    return ["%s has no place on its own land or water clear of the shore, the marks and the frame" % n for n in lost]


def title_panel(c, rect):
    l, t, w, h = px_rect(rect)
    l, t, w, h = l - 4, t - 2, w + 8, h + 4
    c.polygon([(l, t), (l + w, t), (l + w, t + h), (l, t + h)], ["-G%s@12" % TITLE_PANEL, "-W0.6p,#1d3557"])


# How near the chart's own scale the picture must be under the scale bar: its singular values within this of 1.
SCALE_TRUE = 0.05


def scale_is_true(warp, box):
    """True where the warp leaves the chart's scale as it is over the whole box (x, y, w, h)."""
    if not warp:
        return True
    ys, xs = np.mgrid[box[1]:box[1] + box[3] + 1:2.0, box[0]:box[0] + box[2] + 1:2.0]
    lo, hi = warp.singular_values(xs, ys)
    return lo.min() >= 1 - SCALE_TRUE and hi.max() <= 1 + SCALE_TRUE


def scale_and_arrow(c, busy, warp=None):
    w, h = c.w, c.h
    # Nautical miles per pixel at the centre latitude.
    lat = (c.win.south + c.win.north) / 2
    px_per_nm = c.win.k / 60.0 / math.cos(math.radians(lat))
    length = next(n for n in (1, 2, 5, 10, 20, 25, 50) if n * px_per_nm >= 60)
    bar = (length * px_per_nm + 24, 32)
    # In a corner, clear of the frame's degree labels along the bottom and the left.
    corners = [(w - bar[0] - 8, h - bar[1] - 8), (w - bar[0] - 8, h - bar[1] - 16), (w - bar[0] - 30, h - bar[1] - 16),
               (48, h - bar[1] - 16), (w - bar[0] - 8, 30), (48, 30), (w / 2 - bar[0] / 2, h - bar[1] - 16)]
    # Only where the picture keeps the chart's scale: a bar over a squeezed or stretched part would read false.
    corners = [p for p in corners if scale_is_true(warp, (p[0], p[1], bar[0], bar[1]))]
    spot = free_spot(bar, corners, busy) if corners else None
    if spot and not any(overlaps((spot[0], spot[1], bar[0], bar[1]), b, 4) for b in busy):
        x, y = spot
        busy.append((x, y, bar[0], bar[1]))
        cx, cy = x + bar[0] / 2, c.h - (y + bar[1] - 9)
        c.run("psbasemap", c.geo() + ["-Lx%.1fp/%.1fp+c%.4f+w%dn+lnautical miles+f+jCM" % (cx, cy, lat, length),
                                       "-F+gwhite@25+p0.4p,#606060+c3p/3p/2p/2p",
                                       "--FONT_ANNOT_PRIMARY=6p,Helvetica,#303030", "--FONT_LABEL=6p,Helvetica,#303030",
                                       "--MAP_LABEL_OFFSET=2p"])
    else:
        print("  no corner keeps the chart's scale: the scale bar is left out")
    rose = (36, 42)
    corners = [(w - rose[0] - 10, 8), (48, 8), (w - rose[0] - 10, h - rose[1] - 50), (48, h - rose[1] - 50),
               (w - rose[0] - 10, h / 2), (48, h / 2)]
    rx, ry = free_spot(rose, corners, busy)
    busy.append((rx, ry, rose[0], rose[1]))
    c.run("psbasemap", c.geo() + ["-Tdx%.1fp/%.1fp+w24p+f1+lW,E,S,N+jCM" % (rx + rose[0] / 2, c.h - ry - rose[1] / 2 - 3),
                                   "--FONT_TITLE=7p,Helvetica-Bold,#303030", "--MAP_TITLE_OFFSET=1p",
                                   "--MAP_DEFAULT_PEN=0.5p,#303030", "--COLOR_BACKGROUND=#303030"])


def marks_layer(c, marks):
    # Marks are drawn in definition order, so a later one lies over an earlier one, as it takes the click.
    for mark, _, _, l, t, w, h in marks:
        x, y = (l + w / 2) / TWIPS, (t + h / 2) / TWIPS
        c.run("psxy", c.pix() + ["-Sc12.5p", "-G" + MARK, "-W0.8p,white"], "%.2f %.2f\n" % (x, c.h - y))
        n = mark[3:]
        c.text([(x, y + 0.3, n)], "6.5p,Helvetica-Bold,white" if len(n) < 2 else "6p,Helvetica-Bold,white")


def tick_interval(span_deg):
    for minutes in (2, 5, 10, 15, 20, 30, 60):
        if span_deg * 60 / minutes <= 6:
            return minutes
    return 60


def draw_picture(name, window, warp, overlay_fn, out_dir, tmp, detail=True):
    """The coast, moved by its warp before it is drawn, under the layers `overlay_fn` draws (frame, names,
    marks), which a warp never touches: one page, turned into each picture at its own size."""
    page = Plot(os.path.join(tmp, name + ".ps"), window, window.w, window.h)
    coast_layers(page, detail=detail, warp=warp)
    overlay_fn(page)
    for scale in SCALES:
        picture = page.raster(scale)
        stem, ext = os.path.splitext(PICTURES[name])
        path = os.path.join(out_dir, stem + ("" if scale == 1 else "@%dx" % scale) + ext)
        picture.save(path, quality=92, subsampling=0, optimize=True)


def draw_map(name, window, warp, marks, places, out_dir, tmp):
    water = water_mask(window, MASK_SCALE, warp, folder=tmp)
    busy = map_busy(name, marks, window, warp)
    placed, lost = place_names(window, places.get(name, []), water, MASK_SCALE, busy, warp)
    for n in lost:
        print("  %s: no place for the name %s clear of the shore and the marks; left out" % (name, n))
    lines, labels = graticule(window, warp)

    def overlay(c):
        c.lines(lines, ["-W" + GRATICULE_PEN])
        c.run("psbasemap", c.geo() + ["-Bwesn"])
        for x, y, text, justify in labels:
            # On a small panel of the paper, so that no coast runs through the figures.
            c.text([(x, y, text)], FRAME_FONT, justify, ["-Gwhite@15", "-C1p/0.6p"])
        title_panel(c, TITLES[name])
        draw_names(c, placed)
        scale_and_arrow(c, list(busy), warp)
        marks_layer(c, marks)

    draw_picture(name, window, warp, overlay, out_dir, tmp)


def draw_overview(window, places, out_dir, tmp):
    water = water_mask(window, MASK_SCALE, detail=False, folder=tmp)
    l, t, w, h = px_rect(OVERVIEW_TITLE)
    placed, lost = place_names(window, places.get("frmOverviewChart", []), water, MASK_SCALE, [(l - 4, t - 2, w + 8, h + 4)])
    for n in lost:
        print("  overview: no place for the name %s clear of the shore; left out" % n)

    def overlay(c):
        # Whole degrees annotated, half degrees ticked; none at a corner, where the two sides' annotations meet.
        axes = []
        for axis, lo, hi in (("x", window.west, window.east), ("y", window.south, window.north)):
            path = os.path.join(tmp, "ticks_" + axis)
            with open(path, "w") as f:
                for half in range(math.ceil(lo * 2), math.floor(hi * 2) + 1):
                    v = half / 2
                    inner = min(v - lo, hi - v) * window.k > 14
                    f.write("%g %s\n" % (v, "a" if half % 2 == 0 and inner else "f"))
            axes.append("-B%sc%s" % (axis, path))
        c.run("psbasemap", c.geo() + axes + ["-BWSne"])
        draw_names(c, placed)
        title_panel(c, OVERVIEW_TITLE)
        for rect in HOT_AREAS:
            l, t, w, h = px_rect(rect)
            c.polygon([(l, t), (l + w, t), (l + w, t + h), (l, t + h), (l, t)], ["-W1.1p,%s" % MARK, "-L"])
        for k, rect in enumerate(HOT_AREAS):
            l, t, w, h = px_rect(rect)
            # Inside the outline's top-left corner; above the two narrow Narragansett outlines.
            x, y, just = (l + w / 2, t - 1, "CB") if w < 30 else (l + 2, t + 2, "LT")
            c.text([(x, y, NUMERALS[k])], "8p,Helvetica-Bold,%s" % MARK, just, ["-Gwhite@20", "-C1p/0.5p"])

    draw_picture("frmOverviewChart", window, None, overlay, out_dir, tmp, detail=False)


def main():
    require_full_resolution()
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", default=os.path.join(ROOT, "assets", "maps"))
    ap.add_argument("only", nargs="*")
    a = ap.parse_args()
    os.makedirs(a.out, exist_ok=True)
    marks, windows, warps, places = read_marks(), read_windows(), read_warps(), read_places()
    tmp = tempfile.mkdtemp(prefix="quaywise-charts-")
    try:
        for name in ["frmOverviewChart"] + NAMES:
            if a.only and name not in a.only:
                continue
            if name == "frmOverviewChart":
                draw_overview(window_of(name, windows), places, a.out, tmp)
            else:
                draw_map(name, window_of(name, windows), warps.get(name), marks[name], places, a.out, tmp)
            print("drew", PICTURES[name], flush=True)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    main()
