#!/usr/bin/python3
"""Draws a specimen of the notation font into a PNG for a person to look at.

Usage: glyph_sheet.py FONT.ttf OUTPUT.png [PIXELS_PER_EM]

Part one shows every glyph with its code, its advance box (red), baseline
(blue) and the font's ascent and descent (grey). Part two sets notes the
way the editor does: octave dots, duration lines and marks at their default
offsets, runs of tiling pieces, a flat arc, a volta, a grace-note group,
bar lines, and the rotated pieces (arpeggio, free-placed brackets).

The outlines come from the font itself through fontTools; ImageMagick's
convert (/usr/bin/convert) only fills them, so the picture shows the
shapes, not any renderer's hinting.
"""

import sys

sys.dont_write_bytecode = True

import math  # noqa: E402
import os  # noqa: E402
import subprocess  # noqa: E402
import tempfile  # noqa: E402

from fontTools.pens.svgPathPen import SVGPathPen  # noqa: E402
from fontTools.pens.transformPen import TransformPen  # noqa: E402
from fontTools.ttLib import TTFont  # noqa: E402

CONVERT = "/usr/bin/convert"
LABEL_FONT = "DejaVu-Sans"
UNIT = 100  # one offset unit (em / 20.4) in font units at 2040 per em


class Specimen:
    def __init__(self, font, ppem):
        self.font = font
        self.upm = font["head"].unitsPerEm
        self.s = ppem / self.upm
        self.asc = font["hhea"].ascent
        self.desc = -font["hhea"].descent
        self.cmap = font["cmap"].getcmap(3, 0).cmap
        self.glyphset = font.getGlyphSet()
        self.hmtx = font["hmtx"]
        self.ops = []

    # ------------------------------------------------------------ primitives
    def name(self, code):
        return self.cmap[code if code > 0xFF else 0xF000 + code]

    def adv(self, code):
        u = code if code > 0xFF else 0xF000 + code
        return self.hmtx[self.cmap[u]][0] * self.s if u in self.cmap else 1

    def glyph(self, code, x, baseline, color="black", rotate=0, sx=1.0):
        """Draw glyph `code` with its origin at pixel (x, baseline).

        rotate is counter-clockwise in degrees, as GDI's escapement; sx
        stretches along the baseline like lfWidth."""
        u = code if code > 0xFF else 0xF000 + code
        if u not in self.cmap:
            return
        pen = SVGPathPen(self.glyphset)
        a = math.radians(rotate)
        c, s = math.cos(a), math.sin(a)
        k = self.s
        # font (u, v) -> screen: stretch u, rotate, flip y.
        m = (c * k * sx, -s * k * sx, -s * k, -c * k, x, baseline)
        self.glyphset[self.name(code)].draw(TransformPen(pen, m))
        d = pen.getCommands()
        if d:
            self.ops.append(f"fill {color} stroke none path '{d}'")

    def run(self, codes, x, baseline, color="black"):
        for code in codes:
            self.glyph(code, x, baseline, color)
            x += self.adv(code)
        return x

    def line(self, x0, y0, x1, y1, color):
        self.ops.append(f"stroke {color} stroke-width 1 fill none line {x0:.1f},{y0:.1f} {x1:.1f},{y1:.1f}")

    def text(self, x, y, s, size=11, color="#333333"):
        s = s.replace("\\", "\\\\").replace("'", "\\'")
        self.ops.append(f"stroke none fill {color} font '{LABEL_FONT}' font-size {size} text {x:.1f},{y:.1f} '{s}'")

    # ------------------------------------------------------------- sections
    def table(self, top, width):
        codes = sorted(self.cmap)
        x, y = 10, top
        cell_h = (self.asc + self.desc) * self.s
        row_h = cell_h + 34
        for u in codes:
            code = u - 0xF000 if u < 0xF100 and u - 0xF000 < 0x80 else u
            name = self.cmap[u]
            adv = self.hmtx[name][0] * self.s
            g = self.font["glyf"][name]
            lo = min(0, g.xMin * self.s) if g.numberOfContours else 0
            hi = max(adv, g.xMax * self.s) if g.numberOfContours else adv
            w = max(hi - lo, 52) + 14
            if x + w > width - 10:
                x, y = 10, y + row_h
            ox = x - lo + (w - 14 - (hi - lo)) / 2
            base = y + self.asc * self.s
            self.line(x, y, x + w - 14, y, "#cccccc")
            self.line(x, y + cell_h, x + w - 14, y + cell_h, "#cccccc")
            self.line(x, base, x + w - 14, base, "#9db7e8")
            self.line(ox, y, ox, y + cell_h, "#f0a0a0")
            self.line(ox + adv, y, ox + adv, y + cell_h, "#f0a0a0")
            self.glyph(code, ox, base)
            label = f"{code:02X}" if code <= 0xFF else f"{code:04X}"
            ch = chr(code) if 0x20 < code < 0x7F else ""
            self.text(x, y + cell_h + 14, f"{label} {ch}", 11)
            self.text(x, y + cell_h + 27, name[:12], 9, "#777777")
            x += w
        return y + row_h

    def clip(self, x0, y0, x1, y1):
        """Start clipping to a box; end it with unclip()."""
        self.clip_id = getattr(self, "clip_id", 0) + 1
        self.ops += ["push graphic-context", f'push clip-path "c{self.clip_id}"', "push graphic-context",
                     f"rectangle {x0:.1f},{y0:.1f} {x1:.1f},{y1:.1f}", "pop graphic-context", "pop clip-path",
                     f"clip-path url(#c{self.clip_id})"]

    def unclip(self):
        self.ops.append("pop graphic-context")

    def fitted(self, code, x, y, w, h):
        """The glyph's advance and whole cell stretched into a box, as the
        editor draws the one-piece arc."""
        name = self.name(code)
        adv = self.hmtx[name][0]
        sx, sy = w / adv, h / (self.asc + self.desc)
        pen = SVGPathPen(self.glyphset)
        self.glyphset[name].draw(TransformPen(pen, (sx, 0, 0, -sy, x, y + self.asc * sy)))
        self.ops.append(f"fill black stroke none path '{pen.getCommands()}'")

    def notes(self, x, base, cells, hyg=14, hyc=4):
        """Notes as the editor draws them: digit, then ten copies of the
        duration glyph clipped to where the lines end, then octave dots.
        cells: (digit, yc, yg) per note; returns the cells' left edges."""
        s = self.s
        lefts = []
        for d, _, _ in cells:
            lefts.append(x)
            x += self.adv(d)
        lefts.append(x)
        for i, (d, yc, yg) in enumerate(cells):
            left = lefts[i]
            self.glyph(d, left, base)
            if yc:
                nxt = cells[i + 1][1] if i + 1 < len(cells) else 0
                right = lefts[i + 1] if nxt else left + self.adv(d)
                dy = hyc * UNIT * s
                self.clip(left, base - self.asc * s + dy, right, base + self.desc * s + dy)
                self.run([0x20 + yc] * 10, left, base + dy)
                self.unclip()
            if 1 <= yg <= 3:
                self.glyph(0x23 + yg, left, base - hyg * UNIT * s)
            if 4 <= yg <= 6:
                self.glyph(0x23 + yg, left, base + (hyc + 12 + 2 * yc) * UNIT * s)
        return lefts

    def centred(self, code, x, cell_w, base, v, h=0):
        self.glyph(code, x + (cell_w - self.adv(code)) / 2 + h * UNIT * self.s, base - v * UNIT * self.s)

    def caption(self, y, text):
        self.text(10, y, text, 12, "black")

    def music(self, top, width):
        s = self.s
        row = 60 * UNIT * s
        dw = self.adv(0x30)
        u = UNIT * s

        # Durations and octaves.
        base = top + 30 * u
        self.caption(top + 14, "Notes: octave dots at hYg 14 (15 after the bar), duration lines at hYc 4")
        cells = [(0x31, 0, 0), (0x32, 1, 0), (0x33, 2, 0), (0x34, 3, 0), (0x35, 0, 1), (0x36, 1, 2),
                (0x37, 2, 3), (0x31, 0, 4), (0x32, 1, 5), (0x33, 2, 6), (0x30, 3, 6), (0x35, 1, 4),
                (0x36, 1, 0), (0x44, 1, 0), (0x35, 2, 0)]
        x = self.notes(20, base, cells)[-1]
        x = self.run([0x5B], x, base)
        x = self.notes(x, base, [(0x31, 1, 1), (0x32, 1, 2), (0x33, 2, 3), (0x35, 2, 1), (0x36, 0, 2),
                                 (0x2D, 0, 0)], hyg=15)[-1]
        self.run([0x5E], x, base)

        # Marks, each at its default offset, over a note with a high dot.
        marks = [(0x3B, 12), (0x51, 12), (0x52, 12), (0x40, 12), (0x49, 12), (0x4A, 12), (0x4B, 12),
                 (0x4C, 12), (0x4E, 12), (0x4F, 12), (0x50, 12), (0x4D, 12), (0xF0AD, 18), (0xF0AC, 18),
                 (0x66, 12), (0x72, 18), (0xF086, 18), (0xF085, 18), (0x67, 12), (0x68, 12), (0x69, 12),
                 (0x6A, 12), (0x6B, 12), (0x6C, 12), (0x6D, 12), (0x6E, 12), (0x6F, 12),
                 (0xF0B0, 12), (0xF0B1, 12), (0xF0B2, 15), (0xF0B3, 15), (0xF0B4, 12), (0xF0B5, 12),
                 (0xF0B6, 12), (0xF0B7, 12), (0xF0B8, 12), (0xF0B9, 12), (0xF0BA, 12), (0xF0BB, 12),
                 (0xF0BC, 12), (0x46, 12), (0xF0BD, 12), (0xF0BF, 15), (0xF0E1, 12), (0xF0E2, 12),
                 (0xF0DD, 12), (0xF0DE, 12)]
        base += row
        self.caption(base - 40 * u, "Marks at their default offsets over a note with a high dot at hYg 15")
        x = 20
        for code, v in marks:
            cell = max(dw, self.adv(code)) + 8
            if x + cell > width - 20:
                x, base = 20, base + row * 0.8
            nx = x + (cell - dw) / 2
            self.notes(nx, base, [(0x35, 0, 1)], hyg=15)
            self.centred(code, nx, dw, base, v, 1 if code == 0x66 else 0)
            x += cell

        # Jump words below, runs of tiling pieces above.
        base += row
        self.caption(base - 40 * u, "Jump words (offset -19), trill, rit. and octave line runs, "
                                    "free repeat brackets, press-slide vibrato")
        x = 20
        for code in (0xF088, 0xF089, 0xF08E, 0xF08D, 0xF087):
            cell = max(dw, self.adv(code)) + 20
            nx = x + (cell - dw) / 2
            self.notes(nx, base, [(0x31, 1, 4)])
            self.centred(code, nx, dw, base, -19, -1)
            x += cell
        for head, piece, v, tail, cells in (
                (0x3E, 0x3F, 12, None, [(0x35, 0, 0), (0x36, 0, 0), (0x35, 0, 0), (0x36, 0, 0)]),
                (0x70, 0x56, 18, None, [(0x33, 1, 0), (0x32, 1, 0), (0x31, 1, 0), (0x37, 1, 4)]),
                (0xF0A4, 0xF0A6, 14, 0xF0A7, [(0x31, 0, 1), (0x33, 0, 1), (0x35, 0, 1), (0x31, 0, 2)]),
                (0xF09F, 0xF0A1, 14, 0xF0A0, [(0x35, 0, 0), (0x36, 0, 0), (0x35, 0, 0)]),
                (0xF0BE, 0x3F, 14, None, [(0x36, 0, 0), (0x2D, 0, 0)])):
            x += 30
            lefts = self.notes(x, base, cells)
            self.run([head] + [piece] * (len(cells) - 2) + ([tail] if tail else []), x, base - v * u)
            x = lefts[-1]
        x += 30
        self.notes(x, base, [(0x33, 0, 0)])
        self.centred(0x46, x, dw, base, 12)
        self.centred(0xF0BD, x, dw, base, 13)

        # Spans.
        base += row * 1.25
        self.caption(base - 40 * u, "Arc as one stretched glyph, flat arc at offset 0, flat slide at 12 "
                                    "with its pad-finger sign, volta, grace notes, arpeggio")
        lefts = self.notes(20, base, [(0x33, 1, 0), (0x35, 1, 0), (0x36, 0, 1)])
        d = (lefts[2] + dw / 2) - (lefts[0] + dw / 2)
        em = self.upm * s
        y_top = base + self.desc * s - (em + 1.25 * d / (1 + 2 / 28))
        self.fitted(0xF0C9, lefts[0] + dw / 4, y_top, lefts[2] + 3 * dw / 4 - (lefts[0] + dw / 4), 1.25 * d)
        x = lefts[-1] + 30
        lefts = self.notes(x, base, [(0x31, 0, 0), (0x32, 0, 1), (0x33, 0, 0), (0x34, 0, 1), (0x35, 0, 0)],
                           hyg=15)
        self.span(lefts, base, 0xF09E)
        x = lefts[-1] + 30
        lefts = self.notes(x, base, [(0x33, 0, 0), (0x35, 0, 0), (0x36, 0, 0), (0x35, 0, 0)])
        b = base - 12 * u
        self.span(lefts, b, 0xF09B)
        mid = (lefts[0] + lefts[-2]) / 2 + dw / 2
        cell_top = b - self.asc * s
        self.glyph(0xF0CE, mid - self.adv(0xF0CE) / 2,
                   cell_top + (self.asc + self.desc) * s * 1243 / 2988 + self.asc * s)
        self.glyph(0xF0BD, mid - self.adv(0xF0BD) / 2,
                   cell_top - (self.asc + self.desc) * s * 737 / 2988 + self.asc * s)
        # Volta "1." from a bar line over three notes to a bar line.
        x = lefts[-1] + 30
        bar = self.adv(0x5B)
        self.run([0x5B], x, base)
        lefts = self.notes(x + bar, base, [(0x35, 0, 0), (0x36, 0, 0), (0x31, 0, 1)])
        end = lefts[-1]
        self.run([0x5D], end, base)
        bv = base - 18 * u
        self.glyph(0xF0A9, x + bar - self.adv(0xF0A9), bv)
        fs = 0.7 * em * 0.8
        self.text(x + bar + 2, bv + 0.1 * fs, "1.", fs, "black")
        tx = x + bar + 0.5 * fs
        self.clip(tx, bv - self.asc * s, end, bv + self.desc * s)
        self.run([0xF0AA] * 20, tx, bv)
        self.unclip()
        self.glyph(0xF0AB, end, bv)
        # Two grace notes before their main note: lifted 32 units, strokes
        # centred under the group and clipped to it.
        x = end + self.adv(0x5D) + 40
        save = self.s
        self.s = save * 0.6
        gu = UNIT * self.s
        gbase = base - 32 * gu
        glefts = self.notes(x, gbase, [(0x32, 0, 0), (0x33, 0, 4)])
        gl, gr = glefts[0], glefts[-1]
        k1, k2 = 4 + 15, 4 + 17  # hYc + the levels for a group with one low dot
        self.clip(gl, gbase - self.asc * self.s + k1 * gu, gr, gbase + self.desc * self.s + k1 * gu)
        w4 = 4 * self.adv(0x53)
        self.run([0x53] * 4, gl + (gr - gl - w4) / 2, gbase + k1 * gu)
        self.unclip()
        self.clip(gl, gbase - self.asc * self.s + k2 * gu, gr, gbase + self.desc * self.s + k2 * gu)
        self.glyph(0x55, gl + (gr - gl - self.adv(0x55)) / 2, gbase + k2 * gu)
        self.unclip()
        self.s = save
        lefts = self.notes(gr + 6, base, [(0x35, 1, 0)])
        # Upward arpeggio before a note: turned a quarter round at a third of
        # the cell; the point is the top-left of the unturned cell.
        x = lefts[-1] + 40
        ox = x + dw / 3 + self.asc * s
        oy = base + self.desc * s
        for i, code in enumerate((0xF0DF, 0xF0DF, 0xF0E0)):
            self.glyph(code, ox, oy - i * self.adv(0xF0DF), rotate=90)
        self.notes(x + dw, base, [(0x35, 0, 0)])

        # Bar lines, symbols, free-placed items.
        base += row * 0.9
        self.caption(base - 30 * u, "Symbols as characters; free-placed items x w y v u turned and "
                                    "stretched to 120 px")
        x = 20
        for code in (0x5B, 0x5A, 0x59, 0x5C, 0x31, 0x44, 0x32, 0x5D, 0x5F, 0x5E, 0x57, 0x58, 0x60, 0x2E,
                     0x2F, 0x61, 0x35, 0x62, 0x36, 0x63, 0x64, 0x65, 0x2A, 0x2B, 0x2C, 0x47, 0x48, 0xF0AF,
                     0xF0AE, 0x45, 0x43, 0x7A, 0x66, 0x41, 0x3D, 0x38, 0x39, 0x3A):
            x = self.run([code], x, base)
        x = 30
        top = base + 40
        for code in (0x78, 0x77, 0x79, 0x76, 0x75):
            wpx = 24.0
            h = wpx / 0.4  # the item's cell height
            save = self.s
            self.s = h / (self.asc + self.desc)
            m = 120
            self.glyph(code, x - h * 4 / 15 + self.asc * self.s, top + m, rotate=90, sx=m / self.adv(code))
            self.s = save
            self.line(x, top, x + wpx, top, "#f0a0a0")
            self.line(x, top + m, x + wpx, top + m, "#f0a0a0")
            x += 70
        return top + 150

    def span(self, lefts, base, end_hook):
        """A flat arc: start hook right-aligned in the first box, one middle
        piece stretched over the gap, end hook left-aligned in the last."""
        dw = lefts[1] - lefts[0]
        self.glyph(0xF09C, lefts[0] + dw - self.adv(0xF09C), base)
        gap = lefts[-2] - (lefts[0] + dw)
        self.clip(lefts[0] + dw, base - self.asc * self.s, lefts[-2], base + self.desc * self.s)
        self.glyph(0xF09D, lefts[0] + dw, base, sx=gap / self.adv(0xF09D))
        self.unclip()
        self.glyph(end_hook, lefts[-2], base)

    def render(self, out, width=1400):
        y = self.table(10, width)
        bottom = self.music(y + 10, width)
        with tempfile.NamedTemporaryFile("w", suffix=".mvg", delete=False) as f:
            f.write(f"viewbox 0 0 {width} {int(bottom)}\nfill white rectangle 0,0 {width},{int(bottom)}\n")
            f.write("fill-rule nonzero\n")
            f.write("\n".join(self.ops))
            mvg = f.name
        try:
            subprocess.run([CONVERT, f"mvg:{mvg}", out], check=True)
        finally:
            os.unlink(mvg)


def main(argv):
    if len(argv) not in (3, 4):
        print("usage: glyph_sheet.py FONT.ttf OUTPUT.png [PIXELS_PER_EM]", file=sys.stderr)
        return 2
    if not os.path.exists(CONVERT):
        print(f"glyph_sheet.py: {CONVERT} (ImageMagick) is needed to draw the picture", file=sys.stderr)
        return 1
    ppem = float(argv[3]) if len(argv) == 4 else 64
    Specimen(TTFont(argv[1]), ppem).render(argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
