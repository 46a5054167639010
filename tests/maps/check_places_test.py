#!/usr/bin/python3
"""The place check fails a marina put on another land or shore than its town's, whatever its harbour row says: rows
as they once were (the marinas on Dutch Island and on Squirrel Island, each with its harbour's point beside it, and
Nantucket's on the Coatue beach, and a marina whose mark the chart's bound keeps from its shore, put on the islet
beside it), and one right row that must pass."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "maps"))
try:
    import check_places as cp
    from harbours import degrees
except ImportError as missing:  # the place check itself is skipped alike
    print("needs python3-numpy, python3-scipy and python3-pil: %s; not checked" % missing)
    sys.exit(77)


def printed(ddmm_lat, ddmm_lon):
    return "%.3f" % ddmm_lat, "%.3f" % ddmm_lon


class WrongRowsFail(unittest.TestCase):
    CASES = [
        # map, geo, harbour, town, harbour's point and printed position (DDMM.m), what the check must say
        ("Frmsubregion11", 15, "Dutch Harbor", "Jamestown", (4129.80, -7124.31), (4130.202, -7123.723), "not on Jamestown's"),
        ("Frmsubregion3", 7, "Boothbay Harbor", "Southport", (4348.39, -6938.00), (4348.892, -6937.696), "not on Southport's"),
        ("Frmsubregion8", 12, "Nantucket Harbor", "Nantucket", (4117.40, -7005.58), (4118.043, -7005.371), "another shore"),
        ("Frmsubregion11", 15, "Dutch Harbor", "Jamestown", (4129.65, -7123.85), (4129.645, -7123.852), None),
    ]
    # Listed as kept off its shore by the chart's bound, and on an islet all the same.
    KEPT_OFF = ("Frmsubregion4", 8, "Cape Porpoise Harbor", "Cape Porpoise", (4321.90, -7025.95), (4321.729, -7025.127),
                "not on Cape Porpoise's")

    def test_each_row(self):
        towns, _, charts = cp.read_tables()
        lands = cp.Lands()
        for no, (name, geo, harbour, town, point, position, says) in [(1, c) for c in self.CASES] + [(566, self.KEPT_OFF)]:
            with self.subTest(harbour=harbour, town=town, position=position):
                at = (degrees(position[0]), degrees(position[1]))
                lat, lon = printed(*position)
                row = (no, town, harbour, geo, harbour, lat, lon, cp.chart_for(charts, at))
                harbours = {(harbour, town): [(degrees(point[0]), degrees(point[1]))]}
                problems = cp.check(row, at, cp.Shore(name), towns, harbours, charts, cp.HARBOUR_KM, lands)
                if says is None:
                    self.assertEqual(problems, [])
                else:
                    self.assertTrue(any(says in p for p in problems), problems)
                    self.assertFalse(cp.listed(problems), problems)


if __name__ == "__main__":
    unittest.main()
