"""Free-placed items: staff brackets, braces and connecting lines.

The editor draws them turned a quarter round and stretched along the
baseline until the advance covers the item's height; across the item the
ink must fill the band FREE_LO..FREE_HI (glyph y), and along it the whole
advance. Shapes are designed in the item's own frame (u across, left to
right on the page; v along, top to bottom) and mapped into that band.
"""

import math

from .draw import Shape, bezier, join, rect, stroke
from .metrics import ADVANCE, FREE_HI, FREE_LO
from .registry import glyph

SPAN = FREE_HI - FREE_LO


def _to_glyph(shape):
    # (u, v) in 0..1 -> glyph (x along the item, y across it).
    return shape.map(lambda u, v: ((1 - v) * ADVANCE, FREE_HI - u * SPAN))


def _clip(shape):
    return shape.clipped(0, FREE_LO, ADVANCE, FREE_HI)


def _brace(left):
    # Each half: from the tip at the far side, along, then into the cusp.
    # Widths are in units of the band, thin at tip and cusp.
    def half(v0, v1):
        sgn = 1 if v1 > v0 else -1
        p = join(bezier((1.02, v0 + sgn * 0.01), (0.6, v0), (0.5, v0 + sgn * 0.04), (0.5, v0 + sgn * 0.16), 24),
                 bezier((0.5, v0 + sgn * 0.16), (0.5, v0 + sgn * 0.3), (0.5, v0 + sgn * 0.42),
                        (0.5, v0 + sgn * 0.43), 4),
                 bezier((0.5, v0 + sgn * 0.43), (0.5, v0 + sgn * 0.48), (0.2, v1), (-0.02, v1), 24))
        n = len(p)
        widths = [0.06 + 0.2 * math.sin(math.pi * i / (n - 1)) for i in range(n)]
        return p, widths

    s = Shape()
    for v0, v1 in ((0.0, 0.5), (1.0, 0.5)):
        pts, widths = half(v0, v1)
        # Stroke in a square frame so widths are even across and along.
        sq = [(u * SPAN, v * SPAN) for u, v in pts]
        s.extend(stroke(sq, [w * SPAN for w in widths]).map(lambda x, y: (x / SPAN, y / SPAN)))
    if not left:
        s = s.map(lambda u, v: (1 - u, v))
    return _clip(_to_glyph(s))


@glyph(0x76, "braceLeft")
def brace_left():
    return _brace(True), ADVANCE


@glyph(0x75, "braceRight")
def brace_right():
    return _brace(False), ADVANCE


@glyph(0x78, "bracket")
def bracket():
    # The staff bracket: a heavy bar with thin horns turning right at both ends.
    s = Shape().add([(0.0, -0.1), (0.0, 1.1), (0.34, 1.1), (0.34, -0.1)])
    for v_end, sgn in ((0.0, 1), (1.0, -1)):
        horn = bezier((0.1, v_end + sgn * 0.06), (0.45, v_end + sgn * 0.05), (0.8, v_end + sgn * 0.02),
                      (1.05, v_end - sgn * 0.01), 16)
        sq = [(u * SPAN, v * SPAN) for u, v in horn]
        s.extend(stroke(sq, 0.12 * SPAN).map(lambda x, y: (x / SPAN, y / SPAN)))
        s.add([(0.0, v_end - sgn * 0.1), (0.0, v_end + sgn * 0.07), (0.5, v_end + sgn * 0.07),
               (0.5, v_end - sgn * 0.1)])
    return _clip(_to_glyph(s)), ADVANCE


@glyph(0x77, "connectLine")
def connect_line():
    # A plain line down the left edge of the item.
    return _clip(_to_glyph(rect(0.0, -0.1, 0.16, 1.1))), ADVANCE


@glyph(0x79, "connectLineAux")
def connect_line_aux():
    # A lighter, dashed line for joining staves of a sub-group.
    s = Shape()
    n = 9
    for k in range(n):
        v0 = k / n - 0.02
        s.extend(rect(0.0, v0, 0.1, v0 + 0.7 / n))
    s.extend(rect(0.0, -0.1, 0.1, 0.02), rect(0.0, 0.98, 0.1, 1.1))
    return _clip(_to_glyph(s)), ADVANCE
