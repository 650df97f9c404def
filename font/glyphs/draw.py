"""Outline helpers: every glyph is a union of simple filled contours.

A Shape is a list of contours, each a list of (x, y) points with a flag
saying whether it is a hole. Contours of one shape may overlap: TrueType
fills by the non-zero rule, so overlapping outer contours simply merge, and
we never need boolean operations. Orientation is fixed when the glyph is
written (outer clockwise, holes counter-clockwise).

Curves are flattened into short straight pieces; at 2040 units per em a
step of a few degrees stays far below a pixel at any size the editor uses.
"""

import math


class Shape:
    def __init__(self, contours=None):
        self.contours = list(contours or [])

    def add(self, points, hole=False):
        self.contours.append((list(points), hole))
        return self

    def extend(self, *others):
        for other in others:
            self.contours.extend(other.contours)
        return self

    def map(self, fn):
        return Shape([([fn(x, y) for x, y in pts], hole) for pts, hole in self.contours])

    def moved(self, dx, dy):
        return self.map(lambda x, y: (x + dx, y + dy))

    def scaled(self, sx, sy=None, cx=0.0, cy=0.0):
        sy = sx if sy is None else sy
        return self.map(lambda x, y: (cx + (x - cx) * sx, cy + (y - cy) * sy))

    def mirrored_x(self, axis):
        # Mirroring flips orientation; orientation is normalised on output.
        return self.map(lambda x, y: (2 * axis - x, y))

    def mirrored_y(self, axis):
        return self.map(lambda x, y: (x, 2 * axis - y))

    def sheared(self, slant, y0=0.0):
        return self.map(lambda x, y: (x + slant * (y - y0), y))

    def clipped(self, x0, y0, x1, y1):
        out = Shape()
        for pts, hole in self.contours:
            c = clip_polygon(pts, x0, y0, x1, y1)
            if len(c) >= 3:
                out.add(c, hole)
        return out

    def bounds(self):
        xs = [x for pts, _ in self.contours for x, _y in pts]
        ys = [y for pts, _ in self.contours for _x, y in pts]
        if not xs:
            return None
        return min(xs), min(ys), max(xs), max(ys)


# ---------------------------------------------------------------- geometry

def _unit(dx, dy):
    d = math.hypot(dx, dy)
    if d == 0:
        return 0.0, 0.0
    return dx / d, dy / d


def signed_area(pts):
    a = 0.0
    for i in range(len(pts)):
        x0, y0 = pts[i - 1]
        x1, y1 = pts[i]
        a += x0 * y1 - x1 * y0
    return a / 2


def clip_polygon(pts, x0, y0, x1, y1):
    """Sutherland-Hodgman against an axis-aligned box."""

    def clip(poly, inside, cross):
        out = []
        for i in range(len(poly)):
            cur, prev = poly[i], poly[i - 1]
            if inside(cur):
                if not inside(prev):
                    out.append(cross(prev, cur))
                out.append(cur)
            elif inside(prev):
                out.append(cross(prev, cur))
        return out

    def at_x(xc):
        def cross(p, q):
            t = (xc - p[0]) / (q[0] - p[0])
            return xc, p[1] + t * (q[1] - p[1])
        return cross

    def at_y(yc):
        def cross(p, q):
            t = (yc - p[1]) / (q[1] - p[1])
            return p[0] + t * (q[0] - p[0]), yc
        return cross

    poly = list(pts)
    for inside, cross in (
        (lambda p: p[0] >= x0, at_x(x0)),
        (lambda p: p[0] <= x1, at_x(x1)),
        (lambda p: p[1] >= y0, at_y(y0)),
        (lambda p: p[1] <= y1, at_y(y1)),
    ):
        if not poly:
            break
        poly = clip(poly, inside, cross)
    return poly


# ------------------------------------------------------------------ paths

def arc(cx, cy, rx, ry, a0, a1, step=4.0):
    """Points of an ellipse arc from angle a0 to a1 (degrees, either way)."""
    n = max(2, int(math.ceil(abs(a1 - a0) / step)) + 1)
    pts = []
    for i in range(n):
        a = math.radians(a0 + (a1 - a0) * i / (n - 1))
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def bezier(p0, p1, p2, p3, n=24):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((
            u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
            u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1],
        ))
    return pts


def curve(fn, x0, x1, n=64):
    """Points of y = fn(x) for x from x0 to x1."""
    return [(x0 + (x1 - x0) * i / n, fn(x0 + (x1 - x0) * i / n)) for i in range(n + 1)]


def join(*paths):
    """One path from several, dropping the repeated point where they meet."""
    out = []
    for p in paths:
        for q in p:
            if not out or math.hypot(q[0] - out[-1][0], q[1] - out[-1][1]) > 1e-6:
                out.append(q)
    return out


# ----------------------------------------------------------------- shapes

def rect(x0, y0, x1, y1):
    return Shape().add([(x0, y0), (x0, y1), (x1, y1), (x1, y0)])


def polygon(points):
    return Shape().add(points)


def ellipse(cx, cy, rx, ry, step=6.0):
    return Shape().add(arc(cx, cy, rx, ry, 0, 360 - step, step))


def disc(cx, cy, r):
    return ellipse(cx, cy, r, r)


def ring(cx, cy, rx, ry, w):
    """An elliptic ring whose centre line has radii rx, ry."""
    h = w / 2
    return (Shape()
            .add(arc(cx, cy, rx + h, ry + h, 0, 357, 3))
            .add(arc(cx, cy, rx - h, ry - h, 0, 357, 3), hole=True))


def _width_at(width, i, n, p, d):
    if callable(width):
        return width(i / max(1, n - 1), p, d)
    if isinstance(width, (list, tuple)):
        return width[i]
    return width


def stroke(points, width, cap="butt", closed=False, miter_limit=3.0):
    """A stroke of the given width along a path.

    width is a number, a list (one per point) or a function
    (t, point, direction) -> width, t running 0..1 along the points.
    cap is "butt" or "round" (or a pair for start and end).
    """
    pts = join(points)
    if closed and len(pts) > 2 and math.hypot(pts[0][0] - pts[-1][0], pts[0][1] - pts[-1][1]) < 1e-6:
        pts.pop()
    n = len(pts)
    if n < 2:
        return Shape()
    left, right, dirs, halves = [], [], [], []
    for i in range(n):
        p = pts[i]
        has_prev = closed or i > 0
        has_next = closed or i < n - 1
        d_in = _unit(p[0] - pts[i - 1][0], p[1] - pts[i - 1][1]) if has_prev else None
        d_out = _unit(pts[(i + 1) % n][0] - p[0], pts[(i + 1) % n][1] - p[1]) if has_next else None
        d = d_out if d_in is None else d_in if d_out is None else _unit(d_in[0] + d_out[0], d_in[1] + d_out[1])
        if d == (0.0, 0.0):
            d = d_in or d_out
        h = _width_at(width, i, n, p, d) / 2
        if d_in is not None and d_out is not None:
            n1 = (-d_in[1], d_in[0])
            n2 = (-d_out[1], d_out[0])
            m = _unit(n1[0] + n2[0], n1[1] + n2[1])
            if m == (0.0, 0.0):
                m = n1
            c = m[0] * n1[0] + m[1] * n1[1]
            k = h / max(c, 1.0 / miter_limit)
            off = (m[0] * k, m[1] * k)
        else:
            off = (-d[1] * h, d[0] * h)
        left.append((p[0] + off[0], p[1] + off[1]))
        right.append((p[0] - off[0], p[1] - off[1]))
        dirs.append(d)
        halves.append(h)
    shape = Shape()
    if closed:
        a, b = signed_area(left), signed_area(right)
        outer, inner = (left, right) if abs(a) >= abs(b) else (right, left)
        shape.add(outer).add(inner, hole=True)
        return shape
    cap0, cap1 = (cap, cap) if isinstance(cap, str) else cap
    outline = list(left)
    if cap1 == "round":
        outline += _cap(pts[-1], dirs[-1], halves[-1])
    outline += list(reversed(right))
    if cap0 == "round":
        outline += _cap(pts[0], (-dirs[0][0], -dirs[0][1]), halves[0])
    return shape.add(outline)


def _cap(p, d, h):
    # Half circle from the left side round the end to the right side.
    a = math.degrees(math.atan2(d[1], d[0]))
    return arc(p[0], p[1], h, h, a + 90, a - 90, 10)[1:-1]


def line(p0, p1, width, cap="butt"):
    return stroke([p0, p1], width, cap)


def polyline(points, width, cap="butt", miter_limit=3.0):
    return stroke(points, width, cap, miter_limit=miter_limit)


def taper(w0, w1, w_mid=None):
    """Width varying from w0 to w1, through w_mid at the middle if given."""
    if w_mid is None:
        return lambda t, p, d: w0 + (w1 - w0) * t
    return lambda t, p, d: (w0 + (w_mid - w0) * math.sin(t * math.pi) if t <= 0.5 else
                            w1 + (w_mid - w1) * math.sin(t * math.pi))


def nib(thin, thick, angle=30.0):
    """Broad-nib contrast: widest when moving across the nib's edge."""
    a = math.radians(angle)

    def width(t, p, d):
        s = abs(d[0] * math.sin(a) - d[1] * math.cos(a))
        return thin + (thick - thin) * s
    return width


def wave_band(y_of_x, x0, x1, width, n=None):
    """A stroke along y = f(x), cut square at x0 and x1.

    The path is drawn beyond both ends and clipped, so the cut is exactly
    vertical: copies set side by side then meet without a seam.
    """
    pad = width * 2
    n = n or max(32, int((x1 - x0 + 2 * pad) / 8))
    pts = curve(y_of_x, x0 - pad, x1 + pad, n)
    return stroke(pts, width).clipped(x0, -10000, x1, 10000)


def arrow_head(tip, direction, length, half_width):
    dx, dy = _unit(*direction)
    bx, by = tip[0] - dx * length, tip[1] - dy * length
    nx, ny = -dy, dx
    return polygon([tip, (bx + nx * half_width, by + ny * half_width),
                    (bx - nx * half_width, by - ny * half_width)])
