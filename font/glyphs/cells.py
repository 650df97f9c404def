"""Cell glyphs: digits, duration lines, octave dots, the dash and the
grace-note strokes, i.e. everything drawn in or right around a note's cell.
"""

from .draw import Shape, arc, bezier, disc, join, line, rect, ring, stroke
from .metrics import (ADVANCE, DIGIT_STEM, DIGIT_TOP, DOT_PITCH, DOT_R, GRACE_LINE_TOP,
                      HIGH_DOT_Y, LINE_PITCH, LINE_THICK, LINE_TOP, LOW_DOT_Y, OVERSHOOT)
from .registry import glyph

W = DIGIT_STEM
H = W / 2
MID = ADVANCE / 2
TOP = DIGIT_TOP


def _digit(shape):
    # Cut flat at baseline and top so every digit has the same height (the
    # dots and lines are placed against it), then widened a little: drawn
    # on a narrow frame, jianpu digits want cells about half an em wide.
    return shape.clipped(0, 0, ADVANCE, TOP).scaled(1.08, 1.0, MID, 0), ADVANCE


@glyph(0x20, "space")
def space():
    # Blank cell; as wide as a digit, which is how the editor measures it.
    return Shape(), ADVANCE


@glyph(0x30, "zero")
def zero():
    return _digit(ring(MID, TOP / 2, 255, TOP / 2 - H, W))


@glyph(0x31, "one")
def one():
    x = MID + 40
    return _digit(Shape().extend(
        rect(x - H, 0, x + H, TOP),
        line((x - 10, TOP - 70), (x - 245, TOP - 255), W - 20)))


@glyph(0x32, "two")
def two():
    cx, cy, r = MID, TOP - 265 - H, 265
    bowl = arc(cx, cy, r, 265, 165, -28, 4)
    tail = bezier(bowl[-1], (cx + 170, cy - 330), (245, 330), (170 + H, H), 16)
    return _digit(Shape().extend(
        stroke(join(bowl, tail), W),
        rect(170, 0, 850, W)))


@glyph(0x33, "three")
def three():
    upper = join(arc(MID - 5, 1045, 245, 280, 152, -90, 4), [(MID - 110, 765)])
    lower = join([(MID - 110, 730)], arc(MID, 400, 275, 325, 90, -152, 4))
    return _digit(Shape().extend(stroke(upper, W), stroke(lower, W)))


@glyph(0x34, "four")
def four():
    stem_x = 640
    return _digit(Shape().extend(
        rect(stem_x - H, 0, stem_x + H, TOP),
        rect(165, 345, 865, 345 + W),
        line((stem_x - 15, TOP - 50), (235, 420), W - 10)))


@glyph(0x35, "five")
def five():
    bowl = arc(MID, 430, 285, 355, 142, -150, 4)
    return _digit(Shape().extend(
        rect(265, TOP - W, 820, TOP),
        line((330, TOP - H), (300, 650), W - 10),
        stroke(bowl, W)))


def _six():
    hook = arc(790, 560, 545, 765, 101, 180, 3)
    return Shape().extend(ring(MID + 5, 440, 265, 440 - H, W), stroke(hook + [(245, 420)], W))


@glyph(0x36, "six")
def six():
    return _digit(_six())


@glyph(0x37, "seven")
def seven():
    return _digit(Shape().extend(
        rect(170, TOP - W, 850, TOP),
        stroke(bezier((800, TOP - 90), (640, 950), (470, 560), (440, 0), 24), W)))


@glyph(0x38, "eight")
def eight():
    return _digit(Shape().extend(
        ring(MID, 1055, 215, 345 - H, W),
        ring(MID, 405, 265, 405 - H, W)))


@glyph(0x39, "nine")
def nine():
    # A six turned half round.
    return _digit(_six().map(lambda x, y: (ADVANCE - x, TOP - y)))


@glyph(0x3A, "colon")
def colon():
    return _digit(Shape().extend(disc(MID, 330, 95), disc(MID, 1000, 95)))


@glyph(0x3D, "equal")
def equal():
    return _digit(Shape().extend(rect(210, 470, 810, 570), rect(210, 830, 810, 930)))


@glyph(0x2D, "dash")
def dash():
    # The extension dash of a held note, at the digit's mid height.
    return Shape().extend(rect(190, 640, 830, 760)), ADVANCE


# ------------------------------------------------------------ duration lines

def _lines(count, top):
    s = Shape()
    for k in range(count):
        t = top - k * LINE_PITCH
        s.extend(rect(-OVERSHOOT, t - LINE_THICK, ADVANCE + OVERSHOOT, t))
    return s


@glyph(0x21, "durationLine1", tiling=True)
def line1():
    return _lines(1, LINE_TOP), ADVANCE


@glyph(0x22, "durationLine2", tiling=True)
def line2():
    return _lines(2, LINE_TOP), ADVANCE


@glyph(0x23, "durationLine3", tiling=True)
def line3():
    return _lines(3, LINE_TOP), ADVANCE


# -------------------------------------------------------------- octave dots

def _dots(count, y0, step):
    return Shape().extend(*[disc(MID, y0 + k * step, DOT_R) for k in range(count)])


@glyph(0x24, "octaveHigh1")
def high1():
    return _dots(1, HIGH_DOT_Y, DOT_PITCH), ADVANCE


@glyph(0x25, "octaveHigh2")
def high2():
    return _dots(2, HIGH_DOT_Y, DOT_PITCH), ADVANCE


@glyph(0x26, "octaveHigh3")
def high3():
    return _dots(3, HIGH_DOT_Y, DOT_PITCH), ADVANCE


@glyph(0x27, "octaveLow1")
def low1():
    return _dots(1, LOW_DOT_Y, -DOT_PITCH), ADVANCE


@glyph(0x28, "octaveLow2")
def low2():
    return _dots(2, LOW_DOT_Y, -DOT_PITCH), ADVANCE


@glyph(0x29, "octaveLow3")
def low3():
    return _dots(3, LOW_DOT_Y, -DOT_PITCH), ADVANCE


# -------------------------------------------------------- grace-note strokes

@glyph(0x53, "graceStroke", tiling=True)
def grace_first():
    # Four copies, centred and clipped, span a group of up to three notes.
    return _lines(1, GRACE_LINE_TOP), ADVANCE


def _grace_second():
    # One glyph centred under the group and clipped to it: as wide as three
    # notes, so the second stroke spans any group exactly, as the first does.
    width = 3 * ADVANCE
    return Shape().extend(rect(0, GRACE_LINE_TOP - LINE_THICK, width, GRACE_LINE_TOP)), width


@glyph(0x54, "graceSecondAfter")
def grace_after():
    return _grace_second()


@glyph(0x55, "graceSecondBefore")
def grace_before():
    return _grace_second()


@glyph(0xF0F0, "leadByte")
def lead_byte():
    # A two-byte code sent as ANSI bytes reaches the font as U+F0F0 then
    # U+F0xx; the first must draw nothing and take no room.
    return Shape(), 0
