"""Pieces that the editor assembles into marks spanning several notes:
flat arcs and slides, the whole arc, repeat brackets, octave lines, voltas
and the arpeggio wave. Tiling pieces carry ink a little past both ends of
their advance so copies meet without a gap, and a copy stretched with
lfWidth = gap fills the gap.
"""

import math

from .draw import Shape, arc, arrow_head, join, rect, stroke, taper, wave_band
from .letters import text
from .metrics import (ADVANCE, ARC_LINE_THICK, ARC_LINE_Y, ASCENT, OVERSHOOT, mark_floor)
from .registry import glyph

# ----------------------------------------------------------- flat arcs

HOOK_X = 700        # where a hook leaves the note: clear of a centred dot
HOOK_LOW = 1560     # its lowest point: above the digit
T = ARC_LINE_THICK


def _hook_path():
    # Quarter ellipse from the hook's foot up to the line, ending level.
    return join(arc(ADVANCE, HOOK_LOW, ADVANCE - HOOK_X, ARC_LINE_Y - HOOK_LOW, 180, 90, 3),
                [(ADVANCE + OVERSHOOT, ARC_LINE_Y)])


def _start_hook():
    return stroke(_hook_path(), taper(28, T))


@glyph(0xF09C, "arcStart")
def arc_start():
    # Set right-aligned in the first note's box.
    return _start_hook(), ADVANCE


@glyph(0xF09D, "arcMiddle", tiling=True)
def arc_middle():
    return rect(-OVERSHOOT, ARC_LINE_Y - T / 2, ADVANCE + OVERSHOOT, ARC_LINE_Y + T / 2), ADVANCE


@glyph(0xF09E, "arcEnd")
def arc_end():
    # Set left-aligned in the last note's box.
    return _start_hook().mirrored_x(ADVANCE / 2), ADVANCE


@glyph(0xF09B, "slideEnd")
def slide_end():
    # The end of a slide drawn flat: the arc's end hook with an arrow.
    tip = (ADVANCE - HOOK_X, HOOK_LOW - 90)
    return Shape().extend(_start_hook().mirrored_x(ADVANCE / 2),
                          arrow_head(tip, (0, -1), 170, 70)), ADVANCE


# ------------------------------------------------------------ whole arc

ARC_W = 2040
ARC_END_Y = 0
ARC_RISE = 330


@glyph(0xF0C9, "arcWhole")
def arc_whole():
    # Stretched by the editor so that the cell (descent to ascent) and the
    # advance fill the box over the notes; the ends sit low in the cell and
    # the box's lower edge lies above the notes.
    x0, x1 = 30, ARC_W - 30
    top, bottom = [], []
    n = 64
    for i in range(n + 1):
        t = i / n
        x = x0 + (x1 - x0) * t
        y = ARC_END_Y + ARC_RISE * math.sin(math.pi * t)
        h = 8 + 17 * math.sin(math.pi * t)
        top.append((x, y + h))
        bottom.append((x, y - h))
    return Shape().add(top + list(reversed(bottom))), ARC_W


@glyph(0xF0CD, "slideArrow")
def slide_arrow():
    # Set rotated at the end of a slide arc, pointing along it: the tip at
    # the advance, the axis near the top of the cell where the editor's
    # point of output lies.
    return arrow_head((580, ASCENT - 170), (1, 0), 520, 120), 580


# -------------------------------------------------- free-repeat brackets

V14 = mark_floor(14) + 20
BRACKET_Y = V14 + 520
BRACKET_T = 60


def _bracket_line(x0, x1):
    return rect(x0, BRACKET_Y - BRACKET_T, x1, BRACKET_Y)


@glyph(0xF09F, "repeatFreeStart")
def repeat_free_start():
    return Shape().extend(rect(60, V14 + 40, 60 + BRACKET_T, BRACKET_Y),
                          _bracket_line(60, ADVANCE + OVERSHOOT)), ADVANCE


@glyph(0xF0A1, "bracketLine", tiling=True)
def bracket_line():
    return _bracket_line(-OVERSHOOT, ADVANCE + OVERSHOOT), ADVANCE


@glyph(0xF0A0, "repeatFreeJoin")
def repeat_free_join():
    # Ends the left bracket and starts the right one: a plain stretch of line.
    return _bracket_line(-OVERSHOOT, ADVANCE / 2 + OVERSHOOT), ADVANCE // 2


@glyph(0xF0A2, "repeatFreeEnd")
def repeat_free_end():
    x = ADVANCE - 60
    return Shape().extend(_bracket_line(-OVERSHOOT, x),
                          rect(x - BRACKET_T, V14 + 40, x, BRACKET_Y)), ADVANCE


@glyph(0xF0A8, "slideDoubleEnd")
def slide_double_end():
    # Ends the line of a double slide by falling off to the right.
    start = (260, BRACKET_Y - BRACKET_T / 2)
    tip = (560, V14 + 60)
    return Shape().extend(_bracket_line(-OVERSHOOT, 290),
                          stroke([start, (tip[0] - 50, tip[1] + 90)], BRACKET_T),
                          arrow_head(tip, (tip[0] - start[0], tip[1] - start[1]), 170, 70)), 640


# ---------------------------------------------------------- octave lines

OCT_BASE = V14 + 90
OCT_Y = OCT_BASE + 300
OCT_T = 50
DASH_PERIOD = ADVANCE / 4


def _oct_dashes(x0, x1, whole_from=False):
    s = Shape()
    k = math.floor(x0 / DASH_PERIOD) - 1
    while k * DASH_PERIOD - 75 < x1:
        a, b = k * DASH_PERIOD - 75, k * DASH_PERIOD + 75
        if whole_from and a < x0:
            a = b  # no stub of a dash right after the figure
        a, b = max(a, x0), min(b, x1)
        if b > a:
            s.extend(rect(a, OCT_Y - OCT_T / 2, b, OCT_Y + OCT_T / 2))
        k += 1
    return s


def _oct_head(word):
    shape, _ = text(word, 40, OCT_BASE, 400, 72, 0.18)
    end = shape.bounds()[2] + 60
    advance = math.ceil((end + 75) / DASH_PERIOD) * round(DASH_PERIOD)
    return Shape().extend(shape, _oct_dashes(end, advance + OVERSHOOT, whole_from=True)), advance


@glyph(0xF0A4, "octaveHead")
def octave_head():
    return _oct_head("8")


@glyph(0xF0A3, "octaveHeadDouble")
def octave_head_double():
    # Doubling an octave: the 8 in brackets.
    return _oct_head("(8)")


@glyph(0xF0A6, "octaveDashes", tiling=True)
def octave_dashes():
    return _oct_dashes(-OVERSHOOT, ADVANCE + OVERSHOOT), ADVANCE


def _oct_tail(down):
    x = 300
    hook = rect(x - OCT_T, OCT_BASE, x, OCT_Y + OCT_T / 2) if down else \
        rect(x - OCT_T, OCT_Y - OCT_T / 2, x, OCT_Y + 330)
    return Shape().extend(_oct_dashes(-OVERSHOOT, x), hook), 400


@glyph(0xF0A7, "octaveTailHigh")
def octave_tail_high():
    # Octave up: the line ends turning down toward the notes.
    return _oct_tail(True)


@glyph(0xF0A5, "octaveTailLow")
def octave_tail_low():
    return _oct_tail(False)


# ---------------------------------------------------------------- voltas

V18 = mark_floor(18) + 20
VOLTA_Y = V18 + 1080
VOLTA_T = 60


@glyph(0xF0A9, "voltaStart")
def volta_start():
    # Set right-aligned in the first box; the number follows to its right.
    x = ADVANCE / 2
    return Shape().extend(rect(x - VOLTA_T / 2, V18 + 40, x + VOLTA_T / 2, VOLTA_Y),
                          rect(x - VOLTA_T / 2, VOLTA_Y - VOLTA_T, ADVANCE + OVERSHOOT, VOLTA_Y)), ADVANCE


@glyph(0xF0AA, "voltaLine", tiling=True)
def volta_line():
    return rect(-OVERSHOOT, VOLTA_Y - VOLTA_T, ADVANCE + OVERSHOOT, VOLTA_Y), ADVANCE


@glyph(0xF0AB, "voltaEnd")
def volta_end():
    # Drops at the middle of a bar-line cell, where an open volta stops too.
    x = 300
    return Shape().extend(rect(-OVERSHOOT, VOLTA_Y - VOLTA_T, x + VOLTA_T / 2, VOLTA_Y),
                          rect(x - VOLTA_T / 2, V18 + 40, x + VOLTA_T / 2, VOLTA_Y)), 600


# -------------------------------------------------------------- arpeggio

# Drawn turned a quarter round from the cell's top-left point, so the wave
# runs near the top of the glyph box, which lands within the cell.
ARP_Y = 1860
ARP_AMP = 70
ARP_PERIOD = ADVANCE / 3


def arp_y(x):
    return ARP_Y + ARP_AMP * math.cos(2 * math.pi * x / ARP_PERIOD)


@glyph(0xF0DF, "arpeggioWave", tiling=True)
def arpeggio_wave():
    return wave_band(arp_y, -OVERSHOOT, ADVANCE + OVERSHOOT, 60), ADVANCE


@glyph(0xF0E0, "arpeggioEnd")
def arpeggio_end():
    # The wave leaves its last crest, levels off on its axis and ends in an
    # arrow showing which way the chord is spread.
    x = ARP_PERIOD * 0.75
    body = wave_band(arp_y, -OVERSHOOT, x, 60)
    return Shape().extend(body, rect(x - 20, ARP_Y - 30, x + 200, ARP_Y + 30),
                          arrow_head((x + 460, ARP_Y), (1, 0), 280, 120)), 760
