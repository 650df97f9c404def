"""Bar lines and the symbols that stand as characters of their own in a
line of notes: repeat signs, rests, accidentals, tremolo strokes, slides,
the augmentation dot, the breath mark and the tempo note.
"""

from .draw import (Shape, arc, arrow_head, bezier, disc, ellipse, join, line, polygon, polyline,
                   rect, ring, stroke, taper)
from .metrics import ADVANCE, DIGIT_TOP
from .registry import glyph

# Bar lines reach a little past the digits above and below.
BAR_LO = -160
BAR_HI = DIGIT_TOP + 160
THIN = 60
THICK = 170
DOT = 78
REPEAT_DOTS = (470, 930)


def _bar(x, w=THIN, lo=BAR_LO, hi=BAR_HI):
    return rect(x - w / 2, lo, x + w / 2, hi)


def _repeat_dots(x):
    return Shape().extend(*[disc(x, y, DOT) for y in REPEAT_DOTS])


@glyph(0x5B, "barLine")
def bar_line():
    return _bar(300), 600


# "|" typed as text in the notation font: the plain bar line it stands for.
@glyph(0x7C, "typedBar")
def typed_bar():
    return _bar(300), 600


@glyph(0x5A, "barDashed")
def bar_dashed():
    n = 7
    pitch = (BAR_HI - BAR_LO) / (n - 0.4)
    dash = pitch * 0.6
    return Shape().extend(*[rect(270, BAR_LO + k * pitch, 330, BAR_LO + k * pitch + dash)
                            for k in range(n)]), 600


@glyph(0x59, "barDouble")
def bar_double():
    return Shape().extend(_bar(250), _bar(450)), 700


@glyph(0x5E, "barFinal")
def bar_final():
    return Shape().extend(_bar(200), _bar(420, THICK)), 700


@glyph(0x5C, "repeatStart")
def repeat_start():
    return Shape().extend(_bar(200, THICK), _bar(400), _repeat_dots(560)), 740


@glyph(0x5D, "repeatEnd")
def repeat_end():
    return Shape().extend(_repeat_dots(180), _bar(340), _bar(540, THICK)), 740


@glyph(0x5F, "repeatBoth")
def repeat_both():
    return Shape().extend(_repeat_dots(160), _bar(320), _bar(520, THICK), _bar(720),
                          _repeat_dots(880)), 1040


@glyph(0x57, "barSpecial")
def bar_special():
    # A heavy single bar marking a bar of special character.
    return _bar(300, 130), 600


@glyph(0x58, "startPosition")
def start_position():
    # Where singing starts: a bar with a pennant pointing into the music.
    return Shape().extend(
        _bar(240, THIN, 0, BAR_HI),
        polygon([(270, BAR_HI), (620, BAR_HI - 180), (270, BAR_HI - 360)])), 700


@glyph(0x60, "multiBarRest")
def multi_bar_rest():
    return Shape().extend(rect(200, 580, 1840, 820), _bar(200, 70, 430, 970),
                          _bar(1840, 70, 430, 970)), 2040


def _slash(cx, cy, half_len=270, thick=130, rise=0.55):
    # A slanted stroke cut horizontally at its ends, like the slash of %.
    dx, dy = half_len, half_len * rise
    return polygon([(cx - dx, cy - dy - thick / 2), (cx - dx, cy - dy + thick / 2),
                    (cx + dx, cy + dy + thick / 2), (cx + dx, cy + dy - thick / 2)])


def _repeat_slash(cx):
    return polygon([(cx - 330, 220), (cx - 170, 220), (cx + 330, 1180), (cx + 170, 1180)])


@glyph(0x2E, "repeatBar1")
def repeat_bar_one():
    return Shape().extend(_repeat_slash(510), disc(310, 1000, 80), disc(710, 400, 80)), ADVANCE


@glyph(0x2F, "repeatBar2")
def repeat_bar_two():
    return Shape().extend(_repeat_slash(560), _repeat_slash(880), disc(330, 1000, 80),
                          disc(1110, 400, 80)), 1440


def _tremolo(count):
    ys = {1: [700], 2: [590, 810], 3: [480, 700, 920]}[count]
    return Shape().extend(*[_slash(510, y, 250, 100, 0.5) for y in ys]), ADVANCE


@glyph(0x2A, "tremolo1")
def tremolo1():
    return _tremolo(1)


@glyph(0x2B, "tremolo2")
def tremolo2():
    return _tremolo(2)


@glyph(0x2C, "tremolo3")
def tremolo3():
    return _tremolo(3)


@glyph(0x41, "tempoNote")
def tempo_note():
    # A crotchet: tilted filled head, stem on its right.
    head = ellipse(0, 0, 215, 145).map(
        lambda x, y: (360 + x * 0.94 + y * 0.34, 175 - x * 0.34 + y * 0.94))
    return Shape().extend(head, rect(520, 190, 585, 1450)), 820


@glyph(0x43, "freeRest")
def free_rest():
    # A rest (0) under a pause: a rest of free length.
    fermata = stroke(arc(510, 1180, 330, 330, 180, 0, 4), taper(30, 30, 95))
    return Shape().extend(ring(510, 490, 205, 420, 125), fermata, disc(510, 1255, 62)), ADVANCE


@glyph(0x44, "augmentationDot")
def augmentation_dot():
    return disc(230, 620, 95), 480


@glyph(0x45, "freeMetre")
def free_metre():
    # The free-metre sign, like the kana sa: a bar crossed by two strokes,
    # the right one sweeping down and to the left.
    right = join([(680, 1280)], bezier((680, 1280), (690, 700), (600, 320), (330, 150), 20))
    return Shape().extend(
        stroke([(120, 900), (900, 960)], 90),
        stroke([(360, 1280), (360, 480)], 95, cap=("butt", "round")),
        stroke(right, taper(100, 40))), ADVANCE


def _slide(points, width=90):
    return stroke(bezier(*points, 24), taper(45, width), cap="round")


@glyph(0x47, "slideUp")
def slide_up():
    # Rising into the note.
    return _slide(((120, 300), (450, 300), (650, 600), (740, 1150))), 880


@glyph(0x48, "slideDown")
def slide_down():
    return _slide(((120, 1150), (450, 1150), (650, 850), (740, 300))), 880


def _glide(points):
    body = bezier(*points, 32)
    tip = body[-1]
    d = (tip[0] - body[-4][0], tip[1] - body[-4][1])
    return Shape().extend(stroke(body[:-3], taper(40, 75)), arrow_head(tip, d, 230, 110))


@glyph(0xF0AF, "glideUpLong")
def glide_up_long():
    return _glide(((120, 250), (700, 250), (1100, 600), (1320, 1350))), 1460


@glyph(0xF0AE, "glideDownLong")
def glide_down_long():
    return _glide(((120, 1350), (700, 1350), (1100, 1000), (1320, 250))), 1460


# ------------------------------------------------------------- accidentals

@glyph(0x61, "sharp")
def sharp():
    return Shape().extend(
        rect(225, 440, 270, 1470), rect(375, 500, 420, 1530),
        polygon([(140, 780), (140, 880), (510, 980), (510, 880)]),
        polygon([(140, 1100), (140, 1200), (510, 1300), (510, 1200)])), 640


def _flat(x):
    bowl = join(bezier((x, 900), (x + 100, 1080), (x + 300, 1030), (x + 230, 800), 14),
                bezier((x + 230, 800), (x + 180, 650), (x + 70, 560), (x, 470), 14))
    return Shape().extend(rect(x - 30, 450, x + 30, 1560), stroke(bowl, taper(40, 40, 110)))


@glyph(0x62, "flat")
def flat():
    return _flat(220), 600


@glyph(0x63, "doubleSharp")
def double_sharp():
    cx, cy, r = 330, 940, 190
    s = Shape().extend(line((cx - r, cy - r), (cx + r, cy + r), 55), line((cx - r, cy + r), (cx + r, cy - r), 55))
    for sx in (-1, 1):
        for sy in (-1, 1):
            x, y = cx + sx * r, cy + sy * r
            s.extend(polygon([(x, y + 75), (x + 75, y), (x, y - 75), (x - 75, y)]))
    return s, 660


@glyph(0x64, "doubleFlat")
def double_flat():
    return Shape().extend(_flat(200), _flat(500)), 900


@glyph(0x65, "natural")
def natural():
    return Shape().extend(
        rect(170, 700, 225, 1560), rect(445, 430, 500, 1290),
        polygon([(170, 830), (170, 940), (500, 1030), (500, 920)]),
        polygon([(170, 1130), (170, 1240), (500, 1330), (500, 1220)])), 660


@glyph(0x66, "breath")
def breath():
    # Drawn over the notes at offset 12 and as a character of its own.
    return polyline([(260, 1300), (380, 790), (500, 1300)], 70), 760


@glyph(0x7A, "repeatPoint")
def repeat_point():
    # The reference mark used to show where a repeat takes up again.
    c, r = (510, 700), 250
    s = Shape().extend(line((c[0] - r, c[1] - r), (c[0] + r, c[1] + r), 75),
                       line((c[0] - r, c[1] + r), (c[0] + r, c[1] - r), 75))
    for dx, dy in ((0, 1), (0, -1), (1, 0), (-1, 0)):
        s.extend(disc(c[0] + dx * 175, c[1] + dy * 175, 52))
    return s, ADVANCE
