"""Ornaments, articulation, dynamics, tempo words and the jump marks.

Each mark is drawn in its glyph box so that at its default offset (12 for
most, 18 for tempo words and the segno, -19 for the jump words below the
notes) it clears the digit and one octave dot; mark_floor(v) is the lowest
ink allowed for offset v.
"""

import math

from .draw import Shape, arc, disc, join, nib, polygon, polyline, rect, ring, stroke, taper, wave_band
from .letters import text
from .metrics import ADVANCE, OVERSHOOT, mark_floor
from .registry import glyph

MID = ADVANCE / 2
V12 = mark_floor(12) + 20     # lowest ink of marks at offset 12
V18 = mark_floor(18) + 60

# The wavy line of trills and late vibrato, shared by the head glyphs and
# the tiling piece "?": crest at every piece boundary, so pieces join.
WAVE_Y = V12 + 260
WAVE_AMP = 62
WAVE_PERIOD = ADVANCE / 3
WAVE_THICK = 70


def wave_y(x):
    return WAVE_Y + WAVE_AMP * math.cos(2 * math.pi * x / WAVE_PERIOD)


def _word(s, baseline, xh, weight, slant=0.2, pad=60, tracking=0.0):
    shape, width = text(s, 0, baseline, xh, weight, slant, tracking=tracking)
    b = shape.bounds()
    advance = round(b[2] - b[0] + 2 * pad)
    return shape.moved(pad - b[0], 0), advance


# ---------------------------------------------------------------- ornaments

@glyph(0x3B, "fermata")
def fermata():
    y0 = V12 + 40
    return Shape().extend(stroke(arc(MID, y0, 380, 400, 180, 0, 3), taper(30, 30, 110)),
                          disc(MID, y0 + 85, 75)), ADVANCE


def _turn(flip=False):
    cy = V12 + 200
    left = arc(MID - 150, cy, 155, 135, 215, 0, 5)
    right = arc(MID + 150, cy, 155, 135, 180, 395, 5)
    s = stroke(join(left, right), nib(32, 100, 35), cap="round")
    return s.mirrored_y(cy) if flip else s


@glyph(0x51, "turn")
def turn():
    return _turn(), ADVANCE


@glyph(0x52, "turnInverted")
def turn_inverted():
    # The turn upside down: it starts below the note instead of above.
    return _turn(flip=True), ADVANCE


def _zigzag(corners, halves):
    """A zigzag band whose thickness, measured vertically, is halves[i] on
    segment i; edges meet in points at the peaks and valleys, and the ends
    are cut vertically, as an engraver cuts them."""
    lines = []
    for (x0, y0), (x1, y1), h in zip(corners, corners[1:], halves):
        k = (y1 - y0) / (x1 - x0)
        lines.append((k, y0 - k * x0, h))

    def edge(sign):
        pts = [(corners[0][0], lines[0][0] * corners[0][0] + lines[0][1] + sign * lines[0][2])]
        for (k0, b0, h0), (k1, b1, h1) in zip(lines, lines[1:]):
            x = ((b1 + sign * h1) - (b0 + sign * h0)) / (k0 - k1)
            pts.append((x, k0 * x + b0 + sign * h0))
        k, b, h = lines[-1]
        pts.append((corners[-1][0], k * corners[-1][0] + b + sign * h))
        return pts

    return polygon(edge(1) + list(reversed(edge(-1))))


def _mordent(peaks, slashed):
    # Hairline up-strokes, heavy down-strokes.
    step = 140
    lo, hi = V12 + 110, V12 + 330
    x0 = MID - step * peaks
    corners = [(x0 + k * step, hi if k % 2 else lo) for k in range(2 * peaks + 1)]
    halves = [34 if k % 2 == 0 else 78 for k in range(2 * peaks)]
    s = _zigzag(corners, halves)
    if slashed:
        s.extend(rect(MID - 24, V12, MID + 24, hi + 200))
    return s, ADVANCE


@glyph(0x40, "mordentUpper")
def mordent_upper():
    return _mordent(2, False)


@glyph(0x49, "mordentLower")
def mordent_lower():
    return _mordent(2, True)


@glyph(0x4A, "mordentUpperDouble")
def mordent_upper_double():
    return _mordent(3, False)


@glyph(0x4B, "mordentLowerDouble")
def mordent_lower_double():
    return _mordent(3, True)


@glyph(0x3E, "trillHead")
def trill_head():
    tr, width = text("tr", 40, V12 + 30, 380, nib(55, 120, 30), 0.18)
    start = tr.bounds()[2] + 30
    return Shape().extend(tr, wave_band(wave_y, start, ADVANCE + OVERSHOOT, WAVE_THICK)), ADVANCE


@glyph(0x3F, "wave", tiling=True)
def wave():
    return wave_band(wave_y, -OVERSHOOT, ADVANCE + OVERSHOOT, WAVE_THICK), ADVANCE


# ------------------------------------------------------------ articulation

@glyph(0x4C, "staccato")
def staccato():
    return disc(MID, V12 + 75, 75), ADVANCE


@glyph(0x4D, "staccatissimo")
def staccatissimo():
    return polygon([(MID, V12), (MID - 80, V12 + 330), (MID + 80, V12 + 330)]), ADVANCE


@glyph(0x4E, "accent")
def accent():
    return polyline([(MID - 230, V12 + 330), (MID + 230, V12 + 175), (MID - 230, V12 + 20)], 62,
                    miter_limit=6), ADVANCE


@glyph(0x4F, "accentStrong")
def accent_strong():
    s = Shape().extend(polygon([(MID - 190, V12), (MID - 120, V12), (MID + 15, V12 + 430), (MID - 30, V12 + 430)]),
                       polygon([(MID - 30, V12 + 430), (MID + 30, V12 + 430), (MID + 200, V12), (MID + 85, V12)]))
    return s, ADVANCE


@glyph(0x50, "tenuto")
def tenuto():
    return rect(MID - 220, V12 + 30, MID + 220, V12 + 100), ADVANCE


def _return_slide(up):
    # A slide that turns back: an arch (up) or a bowl (down) with a hooked end.
    y = V18 + 80
    if up:
        path = arc(MID, y, 280, 330, 195, -15, 4)
    else:
        path = arc(MID, y + 360, 280, 330, 165, 375, 4)
    return stroke(path, taper(30, 95), cap="round"), ADVANCE


@glyph(0xF0AD, "returnSlideUp")
def return_slide_up():
    return _return_slide(True)


@glyph(0xF0AC, "returnSlideDown")
def return_slide_down():
    return _return_slide(False)


# ---------------------------------------------------------------- dynamics

DYN_BASE = V12 + 290
DYN_XH = 430
DYN_NIB = nib(50, 135, 25)


def _dynamic(word):
    # Heavy strokes need air between the letters.
    return _word(word, DYN_BASE, DYN_XH, DYN_NIB, 0.24, 40, tracking=0.14)


@glyph(0x67, "dynPP")
def dyn_pp():
    return _dynamic("pp")


@glyph(0x68, "dynP")
def dyn_p():
    return _dynamic("p")


@glyph(0x69, "dynMP")
def dyn_mp():
    return _dynamic("mp")


@glyph(0x6A, "dynMF")
def dyn_mf():
    return _dynamic("mf")


@glyph(0x6B, "dynF")
def dyn_f():
    return _dynamic("f")


@glyph(0x6C, "dynFF")
def dyn_ff():
    return _dynamic("ff")


@glyph(0x6D, "dynSF")
def dyn_sf():
    return _dynamic("sf")


@glyph(0x6E, "dynFP")
def dyn_fp():
    return _dynamic("fp")


@glyph(0x6F, "dynSFP")
def dyn_sfp():
    return _dynamic("sfp")


# ------------------------------------------------------------- tempo words

TEMPO_BASE = V18 + 30
TEMPO_XH = 360
TEMPO_WEIGHT = 62
DASH_Y = TEMPO_BASE + TEMPO_XH / 2


def _tempo_head(word):
    # The word, then dashes up to the advance so that "V" pieces follow on.
    shape, width = text(word, 30, TEMPO_BASE, TEMPO_XH, TEMPO_WEIGHT, 0.2)
    end = shape.bounds()[2] + 90
    # End on a dash boundary, after at least the first half of a dash.
    advance = math.ceil((end + 100) / (ADVANCE / 3)) * (ADVANCE // 3)
    return Shape().extend(shape, _dashes(end, advance + OVERSHOOT, whole_from=True)), advance


def _dashes(x0, x1, whole_from=False):
    # Dashes centred on every third of the advance, cut to [x0, x1]: one
    # straddles each piece boundary, so pieces join into whole dashes.
    s = Shape()
    period = ADVANCE / 3
    k = math.floor(x0 / period) - 1
    while k * period - 100 < x1:
        a, b = k * period - 100, k * period + 100
        if whole_from and a < x0:
            a = b  # no stub of a dash right after the word
        a, b = max(a, x0), min(b, x1)
        if b > a:
            s.extend(rect(a, DASH_Y - 30, b, DASH_Y + 30))
        k += 1
    return s


@glyph(0x70, "ritardando")
def ritardando():
    return _tempo_head("rit.")


@glyph(0x71, "accelerando")
def accelerando():
    return _tempo_head("accel.")


@glyph(0x56, "tempoDashes", tiling=True)
def tempo_dashes():
    return _dashes(-OVERSHOOT, ADVANCE + OVERSHOOT), ADVANCE


@glyph(0x72, "aTempo")
def a_tempo():
    # Raised by its descender: the words stand clear of the notes.
    return _word("a tempo", TEMPO_BASE + 200, TEMPO_XH, TEMPO_WEIGHT)


# ------------------------------------------------------------- jump marks

JUMP_BASE = 260
JUMP_XH = 400
JUMP_WEIGHT = 75


def _jump(word):
    return _word(word, JUMP_BASE, JUMP_XH, JUMP_WEIGHT, 0.0)


@glyph(0xF088, "daCapo")
def da_capo():
    return _jump("D.C.")


@glyph(0xF089, "dalSegno")
def dal_segno():
    return _jump("D.S.")


@glyph(0xF08E, "daCapoAlCoda")
def da_capo_al_coda():
    return _jump("D.C. al Coda")


@glyph(0xF08D, "daCapoAlFine")
def da_capo_al_fine():
    return _jump("D.C. al Fine")


@glyph(0xF087, "fine")
def fine():
    return _jump("Fine")


@glyph(0xF086, "segno")
def segno():
    y0 = V18 + 30
    s_curve, _ = text("S", 0, y0 + 80, 560, nib(45, 150, 35), 0.0)
    b = s_curve.bounds()
    s_curve = s_curve.moved(MID - (b[0] + b[2]) / 2, 0)
    return Shape().extend(
        s_curve,
        polygon([(MID - 300, y0 + 80), (MID - 250, y0 + 40), (MID + 300, y0 + 870), (MID + 250, y0 + 910)]),
        disc(MID - 250, y0 + 560, 65), disc(MID + 250, y0 + 400, 65)), ADVANCE


@glyph(0xF085, "coda")
def coda():
    # The "lantern": a ring crossed by lines that reach beyond it.
    cy = V18 + 480
    return Shape().extend(ring(MID, cy, 250, 290, 70),
                          rect(MID - 30, cy - 440, MID + 30, cy + 440),
                          rect(MID - 400, cy - 30, MID + 400, cy + 30)), ADVANCE
