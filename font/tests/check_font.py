#!/usr/bin/python3
"""Checks the built notation font against what the editor's painters need.

Usage: check_font.py FONT.ttf BUILD_SCRIPT

Reads the TTF back with fontTools and checks the format (symbol cmap,
metrics, names), that every code the painters send is there, the tiling
pieces, and where dots, lines and marks land at their default offsets,
using the glyphs' real outlines. It also rebuilds the font and compares
the bytes, so a build that is not reproducible fails.
"""

import sys

sys.dont_write_bytecode = True

import copy  # noqa: E402
import importlib.util  # noqa: E402
import io  # noqa: E402
import os  # noqa: E402
import subprocess  # noqa: E402
import tempfile  # noqa: E402
import unittest  # noqa: E402

from fontTools.pens.basePen import BasePen  # noqa: E402
from fontTools.ttLib import TTFont  # noqa: E402

FONT_PATH = BUILD_SCRIPT = None
UNIT = 100        # em / 20.4 at 2040 units per em
GAP = 40          # least clearance between ink that must not touch
HYC, HYG_DOC, HYG_NEW = 4, 14, 15

ONE_BYTE = (list(range(0x20, 0x3C)) + [0x3E, 0x3F, 0x40, 0x41] + list(range(0x43, 0x73))
            + list(range(0x75, 0x7B)))
TWO_BYTE = (list(range(0xF085, 0xF08A)) + [0xF08D, 0xF08E] + list(range(0xF09B, 0xF0C0))
            + [0xF0C9, 0xF0CD, 0xF0CE] + list(range(0xF0DD, 0xF0E3)) + [0xF0F0])
# Characters typed in the notation font: each draws something, never the empty box.
TYPED_NOTATION = "01234567+.|-=CDEFGA()#"
TILING = [0x21, 0x22, 0x23, 0x3F, 0x56, 0x53, 0xF09D, 0xF0A1, 0xF0A6, 0xF0AA, 0xF0DF]

# Default vertical offset of each mark, in units.
MARK_OFFSETS = {
    12: [0x3B, 0x51, 0x52, 0x40, 0x49, 0x4A, 0x4B, 0x3E, 0x3F, 0x4C, 0x4E, 0x4F, 0x50, 0x4D,
         *range(0x67, 0x70), 0xF0B0, 0xF0B1, *range(0xF0B4, 0xF0BB), 0x46, 0xF0BD, 0xF0BB, 0xF0BC,
         0xF0E1, 0xF0E2, 0xF0DD, 0xF0DE, 0x66],
    14: [0xF09F, 0xF0A0, 0xF0A1, 0xF0A2, *range(0xF0A3, 0xF0A9), 0xF0BE],
    15: [0xF0B2, 0xF0B3, 0xF0BF],
    18: [0xF0AD, 0xF0AC, 0x70, 0x71, 0x56, 0x72, 0xF086, 0xF085, 0xF0A9, 0xF0AA, 0xF0AB],
}
BELOW_MARKS = [0xF088, 0xF089, 0xF08E, 0xF08D, 0xF087]  # offset -19

# A run's head (or tail) and the tiling piece it joins.
HEADS = [(0x3E, 0x3F), (0xF0BE, 0x3F), (0x70, 0x56), (0x71, 0x56), (0xF0A4, 0xF0A6),
         (0xF0A3, 0xF0A6), (0xF09C, 0xF09D), (0xF09F, 0xF0A1), (0xF0A0, 0xF0A1), (0xF0A9, 0xF0AA)]
TAILS = [(0xF0A7, 0xF0A6), (0xF0A5, 0xF0A6), (0xF09E, 0xF09D), (0xF09B, 0xF09D), (0xF0A0, 0xF0A1),
         (0xF0A2, 0xF0A1), (0xF0A8, 0xF0A1), (0xF0AB, 0xF0AA), (0xF0E0, 0xF0DF)]


def uni(code):
    return code if code > 0xFF else 0xF000 + code


class _Flatten(BasePen):
    """Collects the outline as polygons (curves split into short lines)."""

    def __init__(self, glyphset):
        super().__init__(glyphset)
        self.polys, self.cur = [], None

    def _moveTo(self, p):
        self.cur = [p]
        self.polys.append(self.cur)

    def _lineTo(self, p):
        self.cur.append(p)

    def _curveToOne(self, p1, p2, p3):
        p0 = self.cur[-1]
        for i in range(1, 9):
            t = i / 8
            u = 1 - t
            self.cur.append(tuple(u ** 3 * a + 3 * u * u * t * b + 3 * u * t * t * c + t ** 3 * d
                                  for a, b, c, d in zip(p0, p1, p2, p3)))

    def _qCurveToOne(self, p1, p2):
        p0 = self.cur[-1]
        for i in range(1, 9):
            t = i / 8
            u = 1 - t
            self.cur.append(tuple(u * u * a + 2 * u * t * b + t * t * c for a, b, c in zip(p0, p1, p2)))


class Glyph:
    def __init__(self, font, code):
        self.name = font["cmap"].getcmap(3, 0).cmap[uni(code)]
        self.advance = font["hmtx"][self.name][0]
        pen = _Flatten(font.getGlyphSet())
        font.getGlyphSet()[self.name].draw(pen)
        self.polys = [p for p in pen.polys if len(p) > 2]
        g = font["glyf"][self.name]
        self.empty = not g.numberOfContours
        self.box = None if self.empty else (g.xMin, g.yMin, g.xMax, g.yMax)

    def contour_boxes(self):
        boxes = []
        for p in self.polys:
            xs, ys = [q[0] for q in p], [q[1] for q in p]
            boxes.append((min(xs), min(ys), max(xs), max(ys)))
        return boxes

    def covers(self, x, y):
        # Non-zero winding, as TrueType fills.
        wind = 0
        for p in self.polys:
            for i in range(len(p)):
                (x0, y0), (x1, y1) = p[i - 1], p[i]
                if y0 <= y < y1 or y1 <= y < y0:
                    cross = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                    if cross > x:
                        wind += 1 if y1 > y0 else -1
        return wind != 0

    def column(self, x):
        return [self.covers(x, y + 2.5) for y in range(-300, 2040, 5)]


def differ(a, b):
    return sum(1 for p, q in zip(a, b) if p != q)


class FontCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.font = TTFont(FONT_PATH)
        cls.cmap = cls.font["cmap"].getcmap(3, 0).cmap
        cls.cache = {}

    def g(self, code):
        if code not in self.cache:
            self.cache[code] = Glyph(self.font, code)
        return self.cache[code]

    @property
    def digit_top(self):
        return max(self.g(c).box[3] for c in range(0x30, 0x3A))

    @property
    def digit_bottom(self):
        return min(self.g(c).box[1] for c in range(0x30, 0x3A))


class FormatTest(FontCase):
    def test_only_a_symbol_cmap(self):
        subtables = [(t.platformID, t.platEncID, t.format) for t in self.font["cmap"].tables]
        self.assertEqual(subtables, [(3, 0, 4)])

    def test_names_and_symbol_charset(self):
        names = self.font["name"]
        families = {(r.platformID, r.platEncID): r.toUnicode() for r in names.names if r.nameID == 1}
        self.assertEqual(families.get((3, 0)), "Tolvane")
        self.assertTrue(all(v == "Tolvane" for v in families.values()), families)
        self.assertTrue(self.font["OS/2"].ulCodePageRange1 & (1 << 31), "symbol code-page bit")
        # GDI maps ANSI bytes through the first character's page: it must be F0.
        self.assertEqual(self.font["OS/2"].usFirstCharIndex >> 8, 0xF0)

    def test_vertical_metrics(self):
        head, hhea, os2 = self.font["head"], self.font["hhea"], self.font["OS/2"]
        self.assertEqual(head.unitsPerEm, 2040)
        self.assertEqual((hhea.ascent, hhea.descent, hhea.lineGap), (2040, -300, 0))
        self.assertEqual((os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap), (2040, -300, 0))
        self.assertEqual((os2.usWinAscent, os2.usWinDescent), (2040, 300))

    def test_build_is_reproducible(self):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "again.ttf")
            subprocess.run([sys.executable, BUILD_SCRIPT, out], check=True)
            with open(out, "rb") as a, open(FONT_PATH, "rb") as b:
                self.assertEqual(a.read(), b.read(), "a second build differs from the first")

    def test_build_refuses_bad_arguments(self):
        r = subprocess.run([sys.executable, BUILD_SCRIPT], capture_output=True, text=True)
        self.assertNotEqual(r.returncode, 0)
        self.assertIn("usage", r.stderr)


class TableTest(FontCase):
    def test_every_code_is_mapped(self):
        missing = [hex(c) for c in ONE_BYTE + TWO_BYTE if uni(c) not in self.cmap]
        self.assertEqual(missing, [])

    def test_typed_notation_characters_have_ink(self):
        blank = [c for c in TYPED_NOTATION if uni(ord(c)) not in self.cmap or self.g(ord(c)).empty]
        self.assertEqual(blank, [])

    def test_lead_byte_is_empty_and_takes_no_room(self):
        lead = self.g(0xF0F0)
        self.assertTrue(lead.empty)
        self.assertEqual(lead.advance, 0)

    def test_all_ink_inside_the_vertical_metrics(self):
        out = []
        for u, name in self.cmap.items():
            g = self.font["glyf"][name]
            if g.numberOfContours and (g.yMin < -300 or g.yMax > 2040):
                out.append((hex(u), g.yMin, g.yMax))
        self.assertEqual(out, [])

    def test_digits_share_the_average_width(self):
        avg = self.font["OS/2"].xAvgCharWidth
        self.assertEqual({self.g(c).advance for c in range(0x30, 0x3A)}, {avg})
        for c in range(0x30, 0x3A):
            x0, y0, x1, y1 = self.g(c).box
            self.assertTrue(0 < x0 and x1 < avg, f"digit {chr(c)} ink leaves its cell")
        self.assertEqual(self.g(0x20).advance, avg)
        self.assertTrue(self.g(0x20).empty)


class TilingTest(FontCase):
    def test_pieces_have_the_average_width_and_overshoot(self):
        avg = self.font["OS/2"].xAvgCharWidth
        for code in TILING:
            g = self.g(code)
            with self.subTest(code=hex(code)):
                self.assertEqual(g.advance, avg)
                self.assertLess(g.box[0], 0)
                self.assertGreater(g.box[2], g.advance)

    def test_copies_join_without_seam(self):
        # Ink just past the advance must continue what the next copy starts
        # with, and the reverse.
        for code in TILING:
            g = self.g(code)
            with self.subTest(code=hex(code)):
                for x in (4, 10):
                    self.assertLessEqual(differ(g.column(g.advance + x), g.column(x)), 2)
                    self.assertLessEqual(differ(g.column(-x), g.column(g.advance - x)), 2)

    def test_heads_and_tails_meet_their_pieces(self):
        for head, piece in HEADS:
            h, p = self.g(head), self.g(piece)
            with self.subTest(head=hex(head)):
                col = h.column(h.advance - 6)
                self.assertTrue(any(col), "head ends without ink at its advance")
                self.assertLessEqual(differ(col, p.column(p.advance - 6)), 2)
        for tail, piece in TAILS:
            t, p = self.g(tail), self.g(piece)
            with self.subTest(tail=hex(tail)):
                col = t.column(6)
                self.assertTrue(any(col), "tail starts without ink")
                self.assertLessEqual(differ(col, p.column(6)), 2)


class CellPlacementTest(FontCase):
    def bands(self, code):
        return sorted((b for b in self.g(code).contour_boxes()), key=lambda b: -b[3])

    def test_duration_lines_below_the_digit_and_stacked(self):
        for count in (1, 2, 3):
            bands = self.bands(0x20 + count)
            with self.subTest(lines=count):
                self.assertEqual(len(bands), count)
                self.assertLess(bands[0][3] - HYC * UNIT, self.digit_bottom - GAP)
                tops = [b[3] for b in bands]
                for a, b in zip(tops, tops[1:]):
                    self.assertTrue(0 < a - b <= 2 * UNIT, "lines stack down at most 2 units apart")
                self.assertEqual(tops[0], self.bands(0x21)[0][3], "first line is the same in all")

    def test_high_dots_above_the_digit_stacking_up(self):
        for count in (1, 2, 3):
            dots = sorted(self.g(0x23 + count).contour_boxes(), key=lambda b: b[1])
            with self.subTest(dots=count):
                self.assertEqual(len(dots), count)
                self.assertGreater(dots[0][1] + HYG_DOC * UNIT, self.digit_top + GAP)
                for a, b in zip(dots, dots[1:]):
                    self.assertGreater(b[1], a[3], "dots overlap")

    def test_low_dots_below_the_lines_for_every_duration(self):
        for yc in range(4):
            below = (self.digit_bottom if yc == 0 else self.bands(0x20 + yc)[-1][1] - HYC * UNIT)
            for count in (1, 2, 3):
                dots = sorted(self.g(0x26 + count).contour_boxes(), key=lambda b: -b[3])
                with self.subTest(yc=yc, dots=count):
                    self.assertEqual(len(dots), count)
                    top = dots[0][3] - (HYC + 12 + 2 * yc) * UNIT
                    self.assertLess(top, below - GAP)
                    for a, b in zip(dots, dots[1:]):
                        self.assertLess(b[3], a[1], "dots overlap")

    def test_grace_strokes_pass_beneath_the_low_dots(self):
        k = {0: (12, 14), 1: (15, 17), 2: (18, 20), 3: (22, 24)}
        stroke, second = self.g(0x53), self.g(0x55)
        for dots, (k1, k2) in k.items():
            with self.subTest(low_dots=dots):
                # Members' low dots sit 12 units below hYc whatever their duration.
                above = self.digit_bottom if dots == 0 else \
                    min(b[1] for b in self.g(0x26 + dots).contour_boxes()) - (HYC + 12) * UNIT
                first_top = stroke.box[3] - (HYC + k1) * UNIT
                self.assertLess(first_top, above - GAP)
                self.assertLess(second.box[3] - (HYC + k2) * UNIT, stroke.box[1] - (HYC + k1) * UNIT)

    def test_grace_strokes_span_a_group_of_three(self):
        digit = self.g(0x30).advance
        self.assertGreaterEqual(4 * self.g(0x53).advance, 3 * digit)
        for code in (0x54, 0x55):
            g = self.g(code)
            self.assertGreaterEqual(g.advance, 3 * digit)
            self.assertLessEqual(g.box[0], 0)
            self.assertGreaterEqual(g.box[2], g.advance)


class MarkPlacementTest(FontCase):
    def test_marks_clear_the_digit_and_a_high_dot(self):
        dot_top = self.g(0x24).box[3] + HYG_NEW * UNIT
        for v, codes in MARK_OFFSETS.items():
            for code in codes:
                with self.subTest(code=hex(code), v=v):
                    self.assertGreater(self.g(code).box[1] + v * UNIT, dot_top + GAP)

    def test_jump_words_clear_a_low_dot_below(self):
        dot_bottom = self.g(0x27).box[1] - (HYC + 12) * UNIT
        for code in BELOW_MARKS:
            with self.subTest(code=hex(code)):
                self.assertLess(self.g(code).box[3] - 19 * UNIT, dot_bottom - GAP)

    def test_flat_arc_clears_note_and_dot_at_offset_zero(self):
        dot = self.g(0x24)
        dx0, dy0, dx1, dy1 = dot.box
        dy0, dy1 = dy0 + HYG_NEW * UNIT, dy1 + HYG_NEW * UNIT
        self.assertGreater(self.g(0xF09D).box[1], dy1 + GAP)
        for code in (0xF09C, 0xF09E, 0xF09B):
            g = self.g(code)
            with self.subTest(code=hex(code)):
                self.assertGreater(g.box[1], self.digit_top + GAP)
                hits = [(x, y) for x in range(int(dx0) - GAP, int(dx1) + GAP, 10)
                        for y in range(int(dy0) - GAP, int(dy1) + GAP, 10) if g.covers(x, y)]
                self.assertEqual(hits, [], "hook runs into a centred octave dot")


class FreeItemTest(FontCase):
    def test_items_fill_their_band_along_the_whole_advance(self):
        asc, desc = 2040, 300
        hi = asc - (asc + desc) * 4 / 15
        lo = hi - (asc + desc) * 0.4
        for code in range(0x75, 0x7A):
            g = self.g(code)
            x0, y0, x1, y1 = g.box
            with self.subTest(code=chr(code)):
                self.assertGreaterEqual(y0, lo - 1)
                self.assertLessEqual(y1, hi + 1)
                self.assertEqual((x0, x1), (0, g.advance))
                if code != 0x79:  # the dashed line has gaps by design
                    empty = [x for x in range(1, g.advance, 20) if not any(g.column(x))]
                    self.assertEqual(empty, [])


class CounterTest(FontCase):
    def test_counters_stay_open(self):
        # Holes are filled unless they wind against their outer contour.
        points = {0x30: [(510, 700)], 0x36: [(510, 430)], 0x38: [(510, 1050), (510, 400)],
                  0x39: [(510, 970)], 0xF0B8: None, 0xF0DD: None, 0xF0DE: None}
        for code, inside in points.items():
            g = self.g(code)
            if inside is None:
                x0, y0, x1, y1 = g.box
                inside = [((x0 + x1) / 2, (y0 + y1) / 2)]
            with self.subTest(code=hex(code)):
                for x, y in inside:
                    self.assertFalse(g.covers(x, y), f"counter at {x},{y} is filled")
                self.assertTrue(any(g.column(g.box[0] + 30)), "outline itself is not filled")


class ArcGlyphTest(FontCase):
    def test_whole_arc_stretched_at_the_proposed_height_clears_the_notes(self):
        # The editor stretches the glyph's advance and whole cell into a box
        # whose top lies H + 1.25 d / (1 + 2/28) above the note's cell bottom
        # (H the em, d the distance between the notes' centres) and whose
        # height is 1.25 d; the arc's ends must land above the digits.
        g = self.g(0xF0C9)
        em, asc, desc = 2040, 2040, 300
        ends = [y for x, y in (pt for p in g.polys for pt in p)
                if x <= g.box[0] + 40 or x >= g.box[2] - 40]
        low_end = min(ends)
        digit = self.g(0x30).advance
        for widths in (0.8, 1, 2, 3.5):
            d = widths * digit
            box_top = em + 1.25 * d / (1 + 2 / 28) - desc   # above the baseline
            scale = 1.25 * d / (asc + desc)
            end_y = box_top - (asc - low_end) * scale
            with self.subTest(widths=widths):
                self.assertGreater(end_y, self.digit_top + GAP)
        self.assertLess(g.box[1], 200, "ends sit low in the cell, the box's lower part")


class BuildGateTest(FontCase):
    """The build refuses fonts the editor cannot use."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        found = importlib.util.spec_from_file_location("build_font", BUILD_SCRIPT)
        cls.build = importlib.util.module_from_spec(found)
        found.loader.exec_module(cls.build)

    def broken(self, change):
        font = TTFont(FONT_PATH)
        change(font)
        out = io.BytesIO()
        font.save(out)
        return " | ".join(self.build.problems(out.getvalue()))

    def test_the_built_font_passes(self):
        with open(FONT_PATH, "rb") as f:
            self.assertEqual(self.build.problems(f.read()), [])

    def test_missing_code(self):
        def drop(font):
            del font["cmap"].getcmap(3, 0).cmap[0xF0A6]
        self.assertIn("0xF0A6", self.broken(drop))

    def test_ink_outside_the_metrics(self):
        def raise_zero(font):
            g = font["glyf"][self.cmap[0xF030]]
            g.coordinates.translate((0, 700))
        self.assertIn("outside", self.broken(raise_zero))

    def test_tiling_advance(self):
        def narrow(font):
            name = self.cmap[0xF03F]
            font["hmtx"][name] = (1000, font["hmtx"][name][1])
        self.assertIn("xAvgCharWidth", self.broken(narrow))

    def test_lead_byte_with_advance(self):
        def widen(font):
            font["hmtx"][self.cmap[0xF0F0]] = (100, 0)
        self.assertIn("F0F0", self.broken(widen))

    def test_family_and_cmap(self):
        def rename(font):
            for r in font["name"].names:
                if r.nameID == 1:
                    r.string = "Tolvan"
        self.assertIn("family", self.broken(rename))

        def add_unicode(font):
            sub = copy.deepcopy(font["cmap"].getcmap(3, 0))
            sub.platEncID = 1
            font["cmap"].tables.append(sub)
        self.assertIn("cmap subtables", self.broken(add_unicode))


class SpecimenTest(unittest.TestCase):
    @unittest.skipUnless(os.path.exists("/usr/bin/convert"), "ImageMagick not installed")
    def test_specimen_renders(self):
        script = os.path.join(os.path.dirname(os.path.abspath(BUILD_SCRIPT)), "glyph_sheet.py")
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "glyph_sheet.png")
            subprocess.run([sys.executable, script, FONT_PATH, out, "32"], check=True)
            with open(out, "rb") as f:
                self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")


def main():
    global FONT_PATH, BUILD_SCRIPT
    if len(sys.argv) < 3:
        print("usage: check_font.py FONT.ttf BUILD_SCRIPT", file=sys.stderr)
        return 2
    FONT_PATH, BUILD_SCRIPT = sys.argv[1], sys.argv[2]
    prog = unittest.main(argv=[sys.argv[0]] + sys.argv[3:], exit=False, verbosity=1)
    return 0 if prog.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
