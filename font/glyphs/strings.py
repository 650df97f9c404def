"""Marks of bowed and plucked strings: bowing, fingering, string, pluck,
vibrato and harmonic signs.
"""

import math

from .draw import (Shape, arc, arrow_head, bezier, disc, join, line, polygon, rect, ring, stroke,
                   taper, wave_band)
from .letters import text
from .metrics import ADVANCE, OVERSHOOT, mark_floor
from .ornaments import WAVE_THICK, wave_y
from .registry import glyph

MID = ADVANCE / 2
V12 = mark_floor(12) + 20
V15 = mark_floor(15) + 20


@glyph(0xF0B0, "bowDown")
def bow_down():
    # Pull bow: a bracket open downward, heavy on top.
    return Shape().extend(rect(MID - 210, V12 + 330, MID + 210, V12 + 450),
                          rect(MID - 210, V12, MID - 160, V12 + 450),
                          rect(MID + 160, V12, MID + 210, V12 + 450)), ADVANCE


@glyph(0xF0B1, "bowUp")
def bow_up():
    # Push bow: a V, the left stroke heavier.
    return Shape().extend(polygon([(MID - 200, V12 + 500), (MID - 120, V12 + 500), (MID + 25, V12), (MID - 25, V12)]),
                          polygon([(MID - 25, V12), (MID + 10, V12), (MID + 205, V12 + 500), (MID + 165, V12 + 500)])
                          ), ADVANCE


@glyph(0xF0B2, "bowThrown")
def bow_thrown():
    # Bouncing bow: an arch over the bounces.
    return Shape().extend(stroke(arc(MID, V15 + 200, 260, 280, 180, 0, 4), taper(35, 35, 80)),
                          disc(MID - 130, V15 + 55, 50), disc(MID, V15 + 55, 50),
                          disc(MID + 130, V15 + 55, 50)), ADVANCE


@glyph(0xF0B3, "bowFlung")
def bow_flung():
    # A flung stroke: a quick curve ending in an arrow.
    body = bezier((MID - 260, V15 + 500), (MID - 220, V15 + 60), (MID + 60, V15 + 10), (MID + 230, V15 + 200), 24)
    tip = (MID + 300, V15 + 300)
    return Shape().extend(stroke(body, taper(30, 70)),
                          arrow_head(tip, (tip[0] - body[-1][0], tip[1] - body[-1][1]), 180, 85)), ADVANCE


# Fingering by the Chinese numerals one to four, as string players read it.

def _bar(x0, x1, y, w=70):
    # A horizontal brush stroke: slightly rising, heavier at its end.
    return stroke([(x0, y), (x1, y + 18)], taper(w * 0.8, w * 1.1), cap="round")


@glyph(0xF0B4, "finger1")
def finger1():
    return _bar(MID - 230, MID + 230, V12 + 300), ADVANCE


@glyph(0xF0B5, "finger2")
def finger2():
    return Shape().extend(_bar(MID - 160, MID + 160, V12 + 430), _bar(MID - 250, MID + 250, V12 + 60)), ADVANCE


@glyph(0xF0B6, "finger3")
def finger3():
    return Shape().extend(_bar(MID - 170, MID + 170, V12 + 520), _bar(MID - 130, MID + 130, V12 + 290),
                          _bar(MID - 250, MID + 250, V12 + 50)), ADVANCE


@glyph(0xF0B7, "finger4")
def finger4():
    lo, hi = V12 + 40, V12 + 520
    l, r = MID - 230, MID + 230
    return Shape().extend(
        rect(l, lo, l + 60, hi), rect(l, hi - 60, r, hi), rect(r - 60, lo, r, hi), rect(l, lo, r, lo + 60),
        stroke([(MID - 70, hi - 40), (MID - 90, hi - 220), (MID - 140, lo + 130)], 50),
        stroke([(MID + 50, hi - 40), (MID + 50, lo + 170), (MID + 170, lo + 170)], 50)), ADVANCE


@glyph(0xF0B8, "openString")
def open_string():
    return ring(MID, V12 + 230, 175, 205, 60), ADVANCE


@glyph(0xF0B9, "pluck")
def pluck():
    return Shape().extend(rect(MID - 200, V12 + 215, MID + 200, V12 + 285),
                          rect(MID - 35, V12 + 40, MID + 35, V12 + 460)), ADVANCE


@glyph(0xF0BA, "pluckHook")
def pluck_hook():
    # The hook stroke of the character for "hook": down, then a flick up-left.
    path = join([(MID + 60, V12 + 520), (MID + 60, V12 + 150)],
                arc(MID - 60, V12 + 150, 120, 110, 0, -90, 10), [(MID - 200, V12 + 130)])
    return Shape().extend(stroke([(MID - 200, V12 + 520), (MID + 60, V12 + 520)], 60),
                          stroke(path, taper(75, 30))), ADVANCE


def _char_inner():
    # The character for "inner": a frame with a figure rising through it.
    lo, hi = V12 + 20, V12 + 520
    l, r = MID - 230, MID + 230
    return Shape().extend(
        rect(l, lo, l + 55, hi), rect(l, hi - 55, r, hi), rect(r - 55, lo + 40, r, hi),
        polygon([(r - 55, lo + 40), (r, lo + 40), (r - 40, lo), (r - 120, lo + 30)]),
        rect(MID - 28, hi - 200, MID + 28, hi + 120),
        stroke([(MID, hi - 170), (MID - 150, lo + 120)], taper(55, 35)),
        stroke([(MID + 10, hi - 230), (MID + 140, lo + 150)], taper(35, 65)))


@glyph(0xF0BB, "stringInner")
def string_inner():
    return _char_inner(), ADVANCE


@glyph(0xF0BC, "stringOuter")
def string_outer():
    # The character for "outer": evening (left) and divination (right).
    lo, hi = V12 + 20, V12 + 640
    return Shape().extend(
        stroke([(MID - 120, hi), (MID - 260, hi - 240)], taper(55, 35)),
        stroke([(MID - 190, hi - 110), (MID - 30, hi - 110), (MID - 110, hi - 330), (MID - 290, lo)], 50),
        stroke([(MID - 200, hi - 300), (MID - 130, hi - 370)], taper(40, 70), cap="round"),
        rect(MID + 70, lo, MID + 125, hi),
        stroke([(MID + 125, hi - 300), (MID + 240, hi - 390)], taper(45, 70), cap="round")), ADVANCE


@glyph(0xF0BD, "pressString")
def press_string():
    # A bar pressing down on a point. Drawn high in its box: stacked one
    # unit over "F" it must stand above it, and over a flat pad-finger
    # slide the editor hangs it from the line's cell so it clears the line.
    top = 1800
    return Shape().extend(rect(150, top - 60, 450, top),
                          polygon([(190, top - 110), (410, top - 110), (300, top - 360)])), 600


def _wave_head(straight_to):
    # A straight start, then the trill wave, meeting "?" at the advance.
    crest = wave_y(0)
    return Shape().extend(
        rect(60, crest - WAVE_THICK / 2, straight_to + 10, crest + WAVE_THICK / 2),
        wave_band(wave_y, straight_to, ADVANCE + OVERSHOOT, WAVE_THICK))


@glyph(0xF0BE, "vibratoLate")
def vibrato_late():
    # Vibrato that starts late: plain first, then waving.
    return _wave_head(ADVANCE / 3), ADVANCE


@glyph(0xF0BF, "vibratoNone")
def vibrato_none():
    y = V15 + 240
    w = wave_band(lambda x: y + 60 * math.cos(2 * math.pi * x / 260), MID - 260, MID + 260, 60)
    return Shape().extend(w, line((MID - 170, V15 + 20), (MID + 170, V15 + 460), 55)), ADVANCE


@glyph(0x46, "slideVibrato")
def slide_vibrato():
    # Vibrato while sliding: a wave that climbs.
    def f(x):
        return V12 + 140 + (x - (MID - 280)) * 0.45 + 55 * math.sin(2 * math.pi * x / 190)
    return wave_band(f, MID - 280, MID + 280, 60), ADVANCE


@glyph(0xF0E1, "pizzicato")
def pizzicato():
    shape, width = text("pizz.", 0, V12 + 220, 330, 58, 0.2)
    b = shape.bounds()
    return shape.moved(60 - b[0], 0), round(b[2] - b[0] + 120)


@glyph(0xF0E2, "arco")
def arco():
    shape, width = text("arco", 0, V12 + 70, 330, 58, 0.2)
    b = shape.bounds()
    return shape.moved(60 - b[0], 0), round(b[2] - b[0] + 120)


@glyph(0xF0DD, "harmonicNatural")
def harmonic_natural():
    return ring(MID, V12 + 140, 105, 105, 48), ADVANCE


@glyph(0xF0DE, "harmonicArtificial")
def harmonic_artificial():
    c = V12 + 220
    outer = [(MID, c + 200), (MID + 165, c), (MID, c - 200), (MID - 165, c)]
    inner = [(MID, c + 130), (MID + 105, c), (MID, c - 130), (MID - 105, c)]
    return Shape().add(outer).add(inner, hole=True), ADVANCE


@glyph(0xF0CE, "padFinger")
def pad_finger():
    # A small ring placed on the slide arc's top; drawn high in its box
    # because the editor hangs it from the cell's top edge.
    return ring(300, 1800, 95, 95, 46), 600
