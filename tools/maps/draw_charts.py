#!/usr/bin/python3
"""Draws the overview chart and the twelve sub-region maps from the GSHHG
coastlines with GMT, in the fitted windows of map-windows.csv, with the marks of
the program's map table as numbered markers, into assets/maps.

    tools/maps/draw_charts.py [--out DIR] [WINDOW ...]     (needs gmt, gmt-gshhg-high, gmt-dcw, imagemagick)
"""
import argparse
import csv
import math
import os
import shutil
import subprocess
import tempfile

from chartlib import (GMT_FOLDER, HERE, HOT_AREAS, OVERVIEW_TITLE, TITLES, MAP_H, MAP_W, OVERVIEW_H, OVERVIEW_W, ROOT, TWIPS, Window, coast_resolution, read_marks,
                      read_windows)

# Chart colours: buff land, pale water with a deeper band along the shore, as paper charts show them.
LAND = "#f4e4b8"
WATER = "#e3f1fa"
SHALLOW = "#b9dcf2"
SHORE = "#4a3f2a"
BORDER = "#8a7a5a"
RIVER = "#8ec3e6"
WATER_TEXT = "#1d4f7a"
LAND_TEXT = "#3a3226"
MARK = "#c0187a"  # the magenta of chart symbols
TITLE_PANEL = "#ffffff"

# Picture file of each window.
PICTURES = {"frmOverviewChart": "OverviewChart.jpg", "frmSubRegion": "SubRegion1.jpg"}
PICTURES.update({"Frmsubregion%d" % k: "SubRegion%d.jpg" % k for k in range(2, 13)})

NUMERALS = ["I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"]


def px_rect(tw):
    l, t, w, h = tw
    return l / TWIPS, t / TWIPS, w / TWIPS, h / TWIPS


def overlaps(a, b, pad=0):
    return a[0] < b[0] + b[2] + pad and b[0] < a[0] + a[2] + pad and a[1] < b[1] + b[3] + pad and b[1] < a[1] + a[3] + pad


class Chart:
    def __init__(self, path, window, w, h):
        self.path, self.win, self.w, self.h = path, window, w, h
        self.first = True
        self.res = coast_resolution()
        self.common = ["--PS_MEDIA=%dpx%dp" % (w, h), "--PS_PAGE_ORIENTATION=portrait", "--MAP_FRAME_TYPE=inside",
                       "--FONT_ANNOT_PRIMARY=6p,Helvetica,#4a4a4a", "--MAP_TICK_LENGTH_PRIMARY=4p",
                       "--MAP_FRAME_PEN=0.8p,#303030", "--MAP_TICK_PEN_PRIMARY=0.5p,#303030",
                       "--FORMAT_GEO_MAP=ddd:mmF", "--MAP_ANNOT_OFFSET_PRIMARY=2p", "--FONT_LABEL=7p,Helvetica,#303030",
                       "--MAP_SCALE_HEIGHT=4p", "--PS_LINE_JOIN=round", "--GMT_HISTORY=false", "-Ve"]

    def run(self, module, args, stdin=None):
        cmd = ["gmt", module] + args + self.common
        cmd += ["-K"] if self.first else ["-O", "-K"]
        if self.first:
            cmd += ["-X0", "-Y0", "-P"]
        self.first = False
        with open(self.path, "a") as out:
            subprocess.run(cmd, input=stdin, stdout=out, cwd=GMT_FOLDER, check=True, text=True)

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

    def close(self, out_file, quality=92):
        self.run("psxy", self.pix() + ["-T"])
        subprocess.run(["gmt", "psxy", "-R0/1/0/1", "-JX1p", "-T", "-O", "--GMT_HISTORY=false"], stdout=open(self.path, "a"), cwd=GMT_FOLDER, check=True)
        tmp = os.path.dirname(self.path)
        subprocess.run(["gmt", "psconvert", "--GMT_HISTORY=false", self.path, "-Tg", "-E72", "-Qt4", "-Qg4", "-D" + tmp], cwd=GMT_FOLDER, check=True)
        png = os.path.splitext(self.path)[0] + ".png"
        subprocess.run(["convert", png, "-strip", "-quality", str(quality), "-sampling-factor", "1x1", out_file], check=True)


def base_layers(c, rivers=True, detail=True):
    g = c.geo()
    res = "-D" + (c.res if detail else "i")
    c.run("pscoast", g + [res, "-A0", "-S" + WATER])
    # A deeper band of water along the shore, under the land.
    c.run("pscoast", g + [res, "-A0", "-W1/%s,%s" % ("7p" if detail else "4p", SHALLOW)])
    args = g + [res, "-A0", "-G" + LAND, "-C" + WATER, "-W1/%s,%s" % ("0.7p" if detail else "0.4p", SHORE), "-W2/0.3p,%s" % SHORE,
                "-N1/0.9p,%s,-" % BORDER, "-N2/0.6p,%s,-" % BORDER]
    if rivers:
        # The sub-region maps follow the rivers up to their towns (the Penobscot to Bangor); the overview keeps the major ones.
        args += ["-I1/0.9p,%s" % RIVER, "-I2/0.8p,%s" % RIVER]
        if detail:
            args += ["-I3/0.6p,%s" % RIVER, "-I4/0.4p,%s" % RIVER]
    c.run("pscoast", args)


def tick_interval(span_deg):
    for minutes in (2, 5, 10, 15, 20, 30, 60):
        if span_deg * 60 / minutes <= 6:
            return minutes
    return 60


def free_spot(size, candidates, busy):
    """First candidate box (x, y) of `size` that meets no busy rectangle."""
    for x, y in candidates:
        box = (x, y, size[0], size[1])
        if not any(overlaps(box, b, 4) for b in busy):
            return x, y
    return candidates[0]


def read_places():
    places = {}
    with open(os.path.join(HERE, "places.csv")) as f:
        for r in csv.DictReader(row for row in f if not row.startswith("#")):
            places.setdefault(r["window"], []).append(r)
    return places


# Name styles: size, face, colour, and a halo of the ground's colour so that a
# name stays readable over the shore line and the islands it crosses.
PLACE_STYLES = {"sea": (9, "Helvetica-Oblique", WATER_TEXT, WATER), "bay": (7.5, "Helvetica-Oblique", WATER_TEXT, WATER),
                "town": (7, "Helvetica", LAND_TEXT, LAND), "state": (8, "Helvetica-Bold", BORDER, LAND),
                "island": (6.5, "Helvetica", LAND_TEXT, LAND)}


def label_box(x, y, text, size, justify):
    w, h = len(text) * size * 0.55, size * 1.2
    return (x - {"L": 0, "C": w / 2, "R": w}[justify[0]], y - {"T": 0, "M": h / 2, "B": h}[justify[1]], w, h)


def draw_places(c, places, busy):
    """Draws the names; each one's box joins `busy`, so that the scale and the arrow keep clear of it. A town's
    or island's name that would cover a mark moves beside, above or below its point to where it covers none."""
    for p in places:
        size, face, colour, ground = PLACE_STYLES[p["kind"]]
        px, py = c.win.to_px(float(p["lon"]), float(p["lat"]))
        justify = p.get("justify") or "CM"
        candidates = [(px + float(p.get("dx") or 0), py + float(p.get("dy") or 0), justify)]
        if p["kind"] in ("town", "island"):
            for step in (8, 14, 20, 28):
                candidates += [(px + step, py, "LM"), (px - step, py, "RM"), (px, py - step, "CB"), (px, py + step, "CT")]
        x, y, justify = next((cand for cand in candidates
                              if not any(overlaps(label_box(cand[0], cand[1], p["name"], size, cand[2]), b) for b in busy)),
                             candidates[0])
        font = "%gp,%s,%s=~1.6p,%s" % (size, face, colour, ground)
        c.text([(x, y, p["name"])], font, justify, angle=p.get("angle") or "0")
        busy.append(label_box(x, y, p["name"], size, justify))


def title_panel(c, rect):
    l, t, w, h = px_rect(rect)
    l, t, w, h = l - 4, t - 2, w + 8, h + 4
    c.polygon([(l, t), (l + w, t), (l + w, t + h), (l, t + h)], ["-G%s@12" % TITLE_PANEL, "-W0.6p,#1d3557"])
    return (l, t, w, h)


def scale_and_arrow(c, busy):
    w, h = c.w, c.h
    nm = c.win.k * 1.0 / 60.0 * math.cos(math.radians((c.win.south + c.win.north) / 2)) * 0  # unused
    # Nautical miles per pixel at the centre latitude.
    lat = (c.win.south + c.win.north) / 2
    px_per_nm = c.win.k / 60.0 / math.cos(math.radians(lat)) * 1.0
    length = next(n for n in (1, 2, 5, 10, 20, 25, 50) if n * px_per_nm >= 60)
    bar = (length * px_per_nm + 24, 32)
    corners = [(w - bar[0] - 8, h - bar[1] - 8), (8, h - bar[1] - 8), (w - bar[0] - 8, 30), (8, 30),
               (w / 2 - bar[0] / 2, h - bar[1] - 8)]
    x, y = free_spot(bar, corners, busy)
    busy.append((x, y, bar[0], bar[1]))
    cx, cy = x + bar[0] / 2, c.h - (y + bar[1] - 9)
    c.run("psbasemap", c.geo() + ["-Lx%.1fp/%.1fp+c%.4f+w%dn+lnautical miles+f+jCM" % (cx, cy, lat, length),
                                   "-F+gwhite@25+p0.4p,#606060+c3p/3p/2p/2p",
                                   "--FONT_ANNOT_PRIMARY=6p,Helvetica,#303030", "--FONT_LABEL=6p,Helvetica,#303030",
                                   "--MAP_LABEL_OFFSET=2p"])
    rose = (36, 42)
    corners = [(w - rose[0] - 10, 8), (10, 8), (w - rose[0] - 10, h - rose[1] - 50), (10, h - rose[1] - 50),
               (w - rose[0] - 10, h / 2), (10, h / 2)]
    rx, ry = free_spot(rose, corners, busy)
    busy.append((rx, ry, rose[0], rose[1]))
    c.run("psbasemap", c.geo() + ["-Tdx%.1fp/%.1fp+w24p+f1+lW,E,S,N+jCM" % (rx + rose[0] / 2, c.h - ry - rose[1] / 2 - 3),
                                   "--FONT_TITLE=7p,Helvetica-Bold,#303030", "--MAP_TITLE_OFFSET=1p",
                                   "--MAP_DEFAULT_PEN=0.5p,#303030", "--COLOR_BACKGROUND=#303030"])


def marks_layer(c, marks):
    circles, labels = [], []
    for mark, marina_no, geo, l, t, w, h in marks:
        x, y = (l + w / 2) / TWIPS, (t + h / 2) / TWIPS
        circles.append("%.2f %.2f\n" % (x, c.h - y))
        labels.append((x, y + 0.3, mark[3:]))
    # Marks are drawn in definition order, so a later one lies over an earlier one, as it takes the click.
    for (x, y, n), row in zip(labels, circles):
        c.run("psxy", c.pix() + ["-Sc12.5p", "-G" + MARK, "-W0.8p,white"], row)
        c.text([(x, y, n)], "6.5p,Helvetica-Bold,white" if len(n) < 2 else "6p,Helvetica-Bold,white")


def draw_map(name, window, marks, places, out_dir, tmp):
    c = Chart(os.path.join(tmp, name + ".ps"), window, MAP_W, MAP_H)
    base_layers(c)
    span = window.east - window.west
    m = tick_interval(span)
    c.run("psbasemap", c.geo() + ["-Bxa%dmf%dm" % (m, m / 2 if m % 2 == 0 else m), "-Bya%dmf%dm" % (m, m / 2 if m % 2 == 0 else m),
                                   "-BWSne", "--MAP_GRID_PEN_PRIMARY=0.25p,#9fb6c6"])
    # The numbered markers, 12.5 points across, on the marks' centres.
    busy = [((l + w / 2) / TWIPS - 7, (t + h / 2) / TWIPS - 7, 14, 14) for _, _, _, l, t, w, h in marks]
    busy.append(title_panel(c, TITLES[name]))
    draw_places(c, places.get(name, []), busy)
    scale_and_arrow(c, busy)
    marks_layer(c, marks)
    c.close(os.path.join(out_dir, PICTURES[name]))


def draw_overview(window, places, out_dir, tmp):
    c = Chart(os.path.join(tmp, "overview.ps"), window, OVERVIEW_W, OVERVIEW_H)
    base_layers(c, rivers=True, detail=False)
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
    draw_places(c, places.get("frmOverviewChart", []), [])
    busy = [title_panel(c, OVERVIEW_TITLE)]
    for k, rect in enumerate(HOT_AREAS):
        l, t, w, h = px_rect(rect)
        c.polygon([(l, t), (l + w, t), (l + w, t + h), (l, t + h), (l, t)], ["-W1.1p,%s" % MARK, "-L"])
    for k, rect in enumerate(HOT_AREAS):
        l, t, w, h = px_rect(rect)
        # Inside the outline's top-left corner; above the two narrow Narragansett outlines.
        x, y, just = (l + w / 2, t - 1, "CB") if w < 30 else (l + 2, t + 2, "LT")
        c.text([(x, y, NUMERALS[k])], "8p,Helvetica-Bold,%s" % MARK, just, ["-Gwhite@20", "-C1p/0.5p"])
    c.close(os.path.join(out_dir, PICTURES["frmOverviewChart"]))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", default=os.path.join(ROOT, "assets", "maps"))
    ap.add_argument("only", nargs="*")
    a = ap.parse_args()
    os.makedirs(a.out, exist_ok=True)
    marks, windows, places = read_marks(), read_windows(), read_places()
    tmp = tempfile.mkdtemp(prefix="quaywise-charts-")
    try:
        for name, r in windows.items():
            if a.only and name not in a.only:
                continue
            if name == "frmOverviewChart":
                draw_overview(Window.of_row(r, OVERVIEW_W, OVERVIEW_H), places, a.out, tmp)
            else:
                draw_map(name, Window.of_row(r), marks[name], places, a.out, tmp)
            print("drew", PICTURES[name])
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    main()
