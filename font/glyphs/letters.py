"""A small stroke alphabet for the words that marks carry (tr, rit., D.C.,
dynamics ...). Letters are centre lines in units of the x-height, stroked
at the requested weight and slanted like the italics musicians expect.
"""

from .draw import Shape, arc, bezier, join, stroke, disc

# Each letter: (advance, [parts]); a part is ("open", points),
# ("closed", points) or ("dot", (x, y)). Units: x-height = 1.
CAP = 1.42
ASC = 1.5
DSC = -0.48


def _o(cx, rx=0.36, ry=0.5, cy=0.5):
    return ("closed", arc(cx, cy, rx, ry, 0, 356, 4))


def _stem(x, y0, y1):
    return ("open", [(x, y0), (x, y1)])


def _arch(x0, x1, y_top=1.0, y_foot=0.0, shoulder=0.6):
    # Stem-joined arch of n, m and h: up from the stem, over, and down.
    cx = (x0 + x1) / 2
    rx = (x1 - x0) / 2
    ry = y_top - shoulder
    return ("open", join([(x0, shoulder)], arc(cx, shoulder, rx, ry, 180, 0, 6), [(x1, y_foot)]))


LETTERS = {
    "a": (1.0, [_o(0.42), _stem(0.78, 1.0, 0.0)]),
    "c": (0.86, [("open", arc(0.44, 0.5, 0.37, 0.5, 48, 312, 4))]),
    "d": (1.0, [_o(0.42), _stem(0.78, ASC, 0.0)]),
    "e": (0.9, [("open", join([(0.08, 0.52), (0.8, 0.52)], arc(0.44, 0.5, 0.36, 0.5, 0, 318, 4)))]),
    "f": (0.62, [("open", join(arc(0.52, ASC - 0.24, 0.22, 0.24, 40, 180, 6), [(0.3, DSC + 0.2)],
                              arc(0.08, DSC + 0.2, 0.22, 0.24, 0, -140, 6))),
                 ("open", [(0.06, 0.95), (0.6, 0.95)])]),
    "i": (0.42, [_stem(0.18, 1.0, 0.0), ("dot", (0.18, 1.36))]),
    "l": (0.42, [_stem(0.18, ASC, 0.0)]),
    "m": (1.38, [_stem(0.1, 1.0, 0.0), _arch(0.1, 0.7), _arch(0.7, 1.3)]),
    "n": (0.92, [_stem(0.1, 1.0, 0.0), _arch(0.1, 0.8)]),
    "o": (0.9, [_o(0.44)]),
    "p": (0.96, [_stem(0.1, 1.0, DSC), _o(0.46, 0.36)]),
    "r": (0.64, [_stem(0.1, 1.0, 0.0), ("open", join([(0.1, 0.55)], arc(0.42, 0.55, 0.32, 0.42, 180, 55, 6)))]),
    "s": (0.78, [("open", join(
        bezier((0.68, 0.86), (0.58, 1.04), (0.1, 1.05), (0.1, 0.77), 12),
        bezier((0.1, 0.77), (0.1, 0.52), (0.68, 0.55), (0.68, 0.26), 12),
        bezier((0.68, 0.26), (0.68, -0.05), (0.18, -0.05), (0.05, 0.15), 12)))]),
    "t": (0.62, [_stem(0.28, 1.32, 0.0), ("open", [(0.04, 1.0), (0.58, 1.0)])]),
    "v": (0.8, [("open", [(0.04, 1.0), (0.4, 0.0), (0.76, 1.0)])]),
    "z": (0.82, [("open", [(0.08, 1.0), (0.74, 1.0), (0.08, 0.0), (0.76, 0.0)])]),
    "C": (1.12, [("open", arc(0.58, CAP / 2, 0.5, CAP / 2, 45, 315, 4))]),
    "D": (1.16, [("open", join([(0.1, 0.0), (0.1, CAP), (0.45, CAP)],
                               arc(0.45, CAP / 2, 0.58, CAP / 2, 90, -90, 5), [(0.1, 0.0)]))]),
    "F": (0.94, [("open", [(0.1, 0.0), (0.1, CAP), (0.86, CAP)]), ("open", [(0.1, 0.74), (0.7, 0.74)])]),
    "S": (1.0, [("open", join(
        bezier((0.86, 1.2), (0.74, 1.47), (0.12, 1.48), (0.12, 1.08), 14),
        bezier((0.12, 1.08), (0.12, 0.72), (0.88, 0.78), (0.88, 0.36), 14),
        bezier((0.88, 0.36), (0.88, -0.07), (0.2, -0.07), (0.05, 0.2), 14)))]),
    "8": (0.92, [("closed", arc(0.46, 1.08, 0.3, 0.34, 0, 356, 4)),
                 ("closed", arc(0.46, 0.38, 0.36, 0.38, 0, 356, 4))]),
    "(": (0.5, [("open", arc(0.72, CAP / 2, 0.5, 0.84, 122, 238, 5))]),
    ")": (0.5, [("open", arc(-0.22, CAP / 2, 0.5, 0.84, 58, -58, 5))]),
    ".": (0.36, [("dot", (0.12, 0.0))]),
    " ": (0.42, []),
}


def text(s, x, baseline, xh, weight, slant=0.2, dot_scale=0.75, tracking=0.0):
    """Draw a word; returns (shape, width). weight is a number or a width
    function (see draw.stroke); tracking adds space between letters, in
    x-heights."""
    shape = Shape()
    pen = 0.0
    w0 = weight if not callable(weight) else weight(0.5, (0, 0), (0.0, 1.0))
    for ch in s:
        adv, parts = LETTERS[ch]
        for kind, data in parts:
            if kind == "dot":
                cx, cy = data
                r = w0 * dot_scale
                # Full stops sit on the baseline: raise by their radius.
                cy = cy * xh + (r if cy == 0.0 else 0.0)
                shape.extend(disc(x + (pen + cx) * xh, baseline + cy, r))
                continue
            pts = [(x + (pen + px) * xh, baseline + py * xh) for px, py in data]
            shape.extend(stroke(pts, weight, cap="round", closed=(kind == "closed")))
        pen += adv + tracking
    return shape.sheared(slant, baseline), (pen - tracking) * xh


