#!/usr/bin/python3
"""Draws the image button's PNG resources and the resource script that
compiles them into Kavrel.dll, plus a sheet of all of them to look at.

Usage: make_images.py TOLVANE.ttf OUTDIR
       make_images.py --list FILE   (what would be drawn, as C++ rows: type, id, width, height)

Notation symbols come from our own font Tolvane so that the buttons show
what the page shows. Everything is drawn four times larger and reduced, so
edges are smooth at the small sizes of the buttons. The output depends only
on the sources: two builds give the same bytes.
"""

import sys

sys.dont_write_bytecode = True

import os  # noqa: E402

from PIL import Image, ImageDraw, ImageFont  # noqa: E402

SS = 4  # supersampling factor
SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
SANS_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
SERIF_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"
SERIF_BOLD_ITALIC = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-BoldItalic.ttf"
CJK = "/usr/share/fonts/truetype/arphic/uming.ttc"

INK = (32, 32, 32, 255)
INK_OFF = (150, 150, 150, 255)
ACCENT = (30, 90, 170, 255)
ACCENT_OFF = (170, 180, 195, 255)
RED = (190, 40, 40, 255)
RED_OFF = (200, 160, 160, 255)

TOLVANE = None  # path, set in main


# ---------------------------------------------------------------- canvas
class Canvas:
    """An RGBA picture drawn at SS times its size; coordinates are in final
    pixels (floats allowed)."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def _p(self, pts):
        return [(x * SS, y * SS) for x, y in pts]

    def rect(self, x0, y0, x1, y1, fill):
        self.d.rectangle([x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1], fill=fill)

    def line(self, pts, color, width):
        self.d.line(self._p(pts), fill=color, width=max(1, round(width * SS)), joint="curve")

    def poly(self, pts, fill):
        self.d.polygon(self._p(pts), fill=fill)

    def disc(self, cx, cy, r, fill):
        self.d.ellipse([(cx - r) * SS, (cy - r) * SS, (cx + r) * SS, (cy + r) * SS], fill=fill)

    def ellipse(self, x0, y0, x1, y1, color, width):
        self.d.ellipse([x0 * SS, y0 * SS, x1 * SS, y1 * SS], outline=color, width=max(1, round(width * SS)))

    def arc(self, x0, y0, x1, y1, start, end, color, width):
        self.d.arc([x0 * SS, y0 * SS, x1 * SS, y1 * SS], start, end, fill=color, width=max(1, round(width * SS)))

    def round_rect(self, x0, y0, x1, y1, r, fill=None, outline=None, width=1.0):
        self.d.rounded_rectangle([x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1], radius=r * SS, fill=fill,
                                 outline=outline, width=max(1, round(width * SS)) if outline else 0)

    def gradient_round_rect(self, x0, y0, x1, y1, r, top, bottom, outline, width=1.0):
        """A rounded rectangle filled top to bottom from one colour to another."""
        mask = Image.new("L", self.img.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle([x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1], radius=r * SS,
                                               fill=255)
        grad = Image.new("RGBA", self.img.size)
        gd = ImageDraw.Draw(grad)
        y_top, y_bot = y0 * SS, y1 * SS
        for y in range(self.img.size[1]):
            t = min(1.0, max(0.0, (y - y_top) / max(1, y_bot - y_top - 1)))
            gd.line([(0, y), (self.img.size[0], y)],
                    fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
        self.img.paste(grad, (0, 0), mask)
        self.round_rect(x0, y0, x1, y1, r, outline=outline, width=width)

    def text(self, s, font_path, cx, cy, height, color, index=0):
        """Text whose ink is height pixels high, its ink box centred at (cx, cy)."""
        size = fit_size(font_path, s, None, height * SS, index)
        self._stamp(ink(font_path, s, size, index), cx, cy, color)

    def glyph(self, code, cx, cy, box_w, box_h, color):
        """A Tolvane glyph scaled so that its ink fits box_w x box_h, centred."""
        s = chr(code if code > 0xFF else 0xF000 + code)
        size = fit_size(TOLVANE, s, box_w * SS, box_h * SS)
        self._stamp(ink(TOLVANE, s, size), cx, cy, color)

    def digit(self, ch, cx, top, height, color):
        """A notation digit from Tolvane with its ink from top to top + height;
        all digits share one size, so their tops line up."""
        size = fit_size(TOLVANE, chr(0xF035), None, height * SS)
        mask = ink(TOLVANE, chr(0xF000 + ord(ch)), size)
        self._stamp(mask, cx, top + mask.height / SS / 2, color)
        return mask.width / SS

    def _stamp(self, mask, cx, cy, color):
        x = round(cx * SS - mask.width / 2)
        y = round(cy * SS - mask.height / 2)
        self.img.paste(Image.new("RGBA", mask.size, color), (x, y), mask)

    def image(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


_inks = {}


def load_font(path, size, index=0):
    # Tolvane has only a symbol cmap: its glyphs are at U+F0xx.
    if path == TOLVANE:
        return ImageFont.truetype(path, size, encoding="symb")
    return ImageFont.truetype(path, size, index=index)


def ink(path, s, size, index=0):
    """The ink of a text at a pixel size, cropped to its bounding box."""
    key = (path, s, size, index)
    if key not in _inks:
        font = load_font(path, size, index)
        img = Image.new("L", (size * (len(s) + 2), size * 3), 0)
        ImageDraw.Draw(img).text((size, size * 2), s, font=font, fill=255, anchor="ls")
        box = img.getbbox() or (0, 0, 1, 1)
        _inks[key] = img.crop(box)
    return _inks[key]


def fit_size(path, s, width, height, index=0):
    """The pixel size at which the ink of s fits width x height (None: free)."""
    probe = ink(path, s, 400, index)
    scale = height / probe.height
    if width is not None:
        scale = min(scale, width / probe.width)
    return max(1, int(400 * scale))


# ---------------------------------------------------------------- backgrounds
NORMAL = ((250, 250, 250, 255), (222, 222, 222, 255), (150, 150, 150, 255))
HOVER = ((236, 245, 255, 255), (196, 224, 252, 255), (90, 150, 215, 255))
PRESSED = ((160, 198, 238, 255), (204, 226, 250, 255), (44, 100, 170, 255))
DISABLED = ((236, 236, 236, 255), (236, 236, 236, 255), (190, 190, 190, 255))
STATES = {1: NORMAL, 2: HOVER, 3: PRESSED, 4: DISABLED}


def background(w, h, state):
    """The face behind a button in one state: a rounded, gently shaded plate.
    Its corners stay clear; the window region cuts them off anyway."""
    c = Canvas(w, h)
    top, bottom, edge = STATES[state]
    c.gradient_round_rect(0.5, 0.5, w - 0.5, h - 0.5, min(5, h / 4), top, bottom, edge, 1.0)
    if state == 3:  # pressed: a shadow along the top inner edge
        c.line([(3, 1.8), (w - 3, 1.8)], (44, 100, 170, 90), 1.2)
    return c.image()


# ---------------------------------------------------------------- notation helpers
def note(c, cx, top, height, color, digit="5", lines=0, high=0, low=0, dot=False, dashes=0):
    """A jianpu note: digit, duration lines under it, octave dots, an
    augmentation dot and duration dashes to its right."""
    w = c.digit(digit, cx, top, height, color)
    bottom = top + height
    lw = max(w * 1.35, height * 0.62)
    t = max(1.0, height * 0.07)
    gap = max(1.6, height * 0.14)
    y = bottom + gap * 0.9
    for _ in range(lines):
        c.rect(cx - lw / 2, y, cx + lw / 2, y + t, color)
        y += t + gap * 0.9
    r = max(0.9, height * 0.075)
    ly = (y if lines else bottom + gap) + r + gap * 0.2
    for i in range(low):
        c.disc(cx, ly + i * (2 * r + gap * 0.55), r, color)
    hy = top - gap * 0.6 - r
    for i in range(high):
        c.disc(cx, hy - i * (2 * r + gap * 0.55), r, color)
    x = cx + w / 2
    if dot:
        c.disc(x + r * 2.2, top + height * 0.62, r, color)
        x += r * 3.2
    for _ in range(dashes):
        c.rect(x + height * 0.25, top + height * 0.5 - t / 2, x + height * 0.25 + w, top + height * 0.5 + t / 2,
               color)
        x += height * 0.25 + w


def arrow(c, x0, y0, x1, y1, color, width, head=3.0):
    import math
    c.line([(x0, y0), (x1, y1)], color, width)
    a = math.atan2(y1 - y0, x1 - x0)
    p1 = (x1 - head * math.cos(a - 0.5), y1 - head * math.sin(a - 0.5))
    p2 = (x1 - head * math.cos(a + 0.5), y1 - head * math.sin(a + 0.5))
    c.poly([(x1 + 0.4 * math.cos(a), y1 + 0.4 * math.sin(a)), p1, p2], color)


# Durations by button index: the four the editor sets (quarter to
# thirty-second), then half, dotted quarter, whole and dotted eighth.
DURATIONS = {
    1: dict(lines=0), 2: dict(lines=1), 3: dict(lines=2), 4: dict(lines=3),
    5: dict(dashes=1), 6: dict(dot=True), 7: dict(dashes=3), 8: dict(lines=1, dot=True),
}
DURATION_NAMES = {1: "四分音符", 2: "八分音符", 3: "十六分音符", 4: "三十二分",
                  5: "二分音符", 6: "附点四分", 7: "全音符", 8: "附点八分"}
# Octaves by button index, lowest first as the toolbar lists them, then one
# octave up and one down.
OCTAVES = {1: dict(low=3), 2: dict(low=2), 3: dict(low=1), 4: {}, 5: dict(high=1), 6: dict(high=2),
           7: dict(high=3), 8: "up", 9: "down"}
OCTAVE_NAMES = {1: "超低音", 2: "倍低音", 3: "低音", 4: "中音", 5: "高音", 6: "倍高音", 7: "超高音",
                8: "升八度", 9: "降八度"}


def duration_small(n, off):
    c = Canvas(24, 32)
    color = INK_OFF if off else INK
    d = DURATIONS[n]
    if d.get("dashes"):  # a dash would not fit beside the digit
        note(c, 7, 9, 12, color)
        c.rect(14, 14.3, 22, 15.7, color)
    elif d.get("dot"):
        note(c, 10, 9, 12, color, dot=True)
    else:
        note(c, 12, 7, 12, color, **d)
    return c.image()


def octave_shift(c, cx, top, height, color, up):
    note(c, cx, top, height, color)
    x = cx + height * 0.55
    if up:
        arrow(c, x, top + height, x, top - height * 0.05, ACCENT if color == INK else ACCENT_OFF, 1.2, 2.6)
    else:
        arrow(c, x, top, x, top + height * 1.05, ACCENT if color == INK else ACCENT_OFF, 1.2, 2.6)


def octave_small(n, off):
    c = Canvas(24, 32)
    color = INK_OFF if off else INK
    o = OCTAVES[n]
    if isinstance(o, str):
        octave_shift(c, 9, 10, 12, color, o == "up")
    else:
        note(c, 12, 10, 12, color, **o)
    return c.image()


# The wide buttons stand 65 x 37 on the panel: drawn at that size, then
# widened to the picture size, so that the face shows them undistorted.
WIDE_FACE = (65, 37)
DURATION_LABELS = {1: "四分", 2: "八分", 3: "十六分", 4: "三十二分", 5: "二分", 6: "附点四分", 7: "全音",
                   8: "附点八分"}


def wide_label(c, text):
    c.text(text, CJK, 45, 18.5, 8.5 if len(text) > 3 else 9, INK)


def duration_wide(n):
    c = Canvas(*WIDE_FACE)
    d = DURATIONS[n]
    if d.get("dashes"):  # a dash per beat; the label moves below
        note(c, 6, 5, 13, INK, **d)
        c.text(DURATION_LABELS[n], CJK, 50, 30.5, 7, INK)
    else:
        note(c, 12, 7, 14, INK, **d)
        wide_label(c, DURATION_LABELS[n])
    return c.image()


def octave_wide(n):
    c = Canvas(*WIDE_FACE)
    o = OCTAVES[n]
    if isinstance(o, str):
        octave_shift(c, 10, 11, 14, INK, o == "up")
    else:
        note(c, 12, 11, 14, INK, **o)
    wide_label(c, OCTAVE_NAMES[n])
    return c.image()


# ---------------------------------------------------------------- alignment
def alignment(n, off):
    c = Canvas(24, 32)
    color = INK_OFF if off else INK
    t = 1.6
    left, right = 3, 21
    rows = [(8, 18), (12, 14), (16, 18), (20, 12), (24, 16)]
    if n <= 4:
        for y, length in rows:
            if n == 1:
                x0 = left
            elif n == 2:
                x0 = 12 - length / 2
            elif n == 3:
                x0, length = left, right - left
            else:
                x0 = right - length
            c.rect(x0, y, x0 + length, y + t, color)
        if n == 3:  # both edges held
            c.line([(left - 1.5, 6), (left - 1.5, 27)], ACCENT_OFF if off else ACCENT, 0.8)
            c.line([(right + 1.5, 6), (right + 1.5, 27)], ACCENT_OFF if off else ACCENT, 0.8)
    elif n == 5:  # notes over lyrics, columns aligned
        for x in (5, 12, 19):
            c.digit("5", x, 6, 8, color)
            c.rect(x - 2.5, 21, x + 2.5, 25, color)
            c.line([(x, 15.5), (x, 20)], ACCENT_OFF if off else ACCENT, 0.8)
    else:  # bars of two lines aligned on their bar lines
        for y in (7, 19):
            for x in (6, 15):
                c.digit("5", x - 1.5, y, 7, color)
                c.digit("3", x + 2.5, y, 7, color)
        for x in (10.5, 21):
            c.rect(x - 0.6, 5, x + 0.6, 28, ACCENT_OFF if off else ACCENT)
    return c.image()


# ---------------------------------------------------------------- mark values
def value_button(n, off):
    c = Canvas(24, 32)
    color = INK_OFF if off else INK
    acc = ACCENT_OFF if off else ACCENT
    if n in (1, 2):  # first value up or down
        y0, y1 = (22, 9) if n == 1 else (10, 23)
        c.poly([(12, y1), (5, y0), (19, y0)], acc)
        c.text("1", SANS_BOLD, 12, 27.5 if n == 1 else 5.5, 5, color)
    elif n in (3, 4):  # second value up or down
        y0, y1 = (22, 9) if n == 3 else (10, 23)
        c.poly([(12, y1), (5, y0), (19, y0)], acc)
        c.text("2", SANS_BOLD, 12, 27.5 if n == 3 else 5.5, 5, color)
    elif n in (5, 6):  # next or previous kind of the mark
        c.arc(4, 8, 20, 24, 210, 510, acc, 1.6)
        if n == 5:
            c.poly([(19.5, 10), (21.5, 17), (15, 14.5)], acc)
        else:
            c.poly([(4.5, 10), (2.5, 17), (9, 14.5)], acc)
        c.text("»" if n == 5 else "«", SANS_BOLD, 12, 16, 5, color)
    elif n == 7:  # delete the mark
        red = RED_OFF if off else RED
        c.line([(6, 10), (18, 22)], red, 2.6)
        c.line([(18, 10), (6, 22)], red, 2.6)
    else:  # edit the mark's help text
        c.round_rect(3, 6, 21, 20, 3, outline=color, width=1.2)
        c.poly([(7, 19.5), (7, 25), (12, 19.5)], color)
        c.text("?", SANS_BOLD, 12, 13, 8, acc)
    return c.image()


# ---------------------------------------------------------------- info buttons
def info_button(n, off):
    c = Canvas(24, 24)
    color = INK_OFF if off else INK
    acc = ACCENT_OFF if off else ACCENT
    if n == 1:  # save the help text
        c.round_rect(4, 4, 20, 20, 2, fill=acc)
        c.rect(7, 4, 17, 10, (250, 250, 250, 255))
        c.rect(14, 5, 16, 9, acc)
        c.rect(7, 13, 17, 20, (250, 250, 250, 255))
        c.line([(9, 15.5), (15, 15.5)], color, 0.7)
        c.line([(9, 17.5), (15, 17.5)], color, 0.7)
    else:  # balloon help on or off
        c.ellipse(3, 3, 21, 16, color, 1.3)
        c.poly([(7, 14.5), (6, 21), (11.5, 15.5)], color)
        c.text("i", SERIF_BOLD, 12, 9.5, 7.5, acc)
        if n == 3:
            c.line([(4, 20), (20, 3)], RED_OFF if off else RED, 1.8)
    return c.image()


# ---------------------------------------------------------------- fonts and colours
def font_button(n, off):
    c = Canvas(20, 32)
    color = INK_OFF if off else INK
    if n == 1:
        c.text("B", SANS_BOLD, 10, 16, 11, color)
    elif n == 2:
        c.text("I", SERIF_BOLD_ITALIC, 10, 16, 11, color)
    elif n == 3:
        c.text("U", SANS, 10, 14.5, 10, color)
        c.rect(4, 21.5, 16, 22.7, color)
    else:
        c.text("S", SANS, 10, 16, 11, color)
        c.rect(3, 15.4, 17, 16.6, RED_OFF if off else RED)
    return c.image()


def back_colour_overlay(off):
    """Lies over the chosen highlight colour: a frame and a letter on it."""
    c = Canvas(20, 32)
    color = INK_OFF if off else INK
    c.round_rect(2, 5, 18, 27, 2, outline=(90, 90, 90, 255) if not off else INK_OFF, width=1.0)
    c.text("A", SANS_BOLD, 10, 16, 10, color)
    return c.image()


def fore_colour_overlay(off):
    """The letter whose colour the bar under it shows (the bar is painted)."""
    c = Canvas(20, 32)
    color = INK_OFF if off else INK
    c.text("A", SANS_BOLD, 10, 12.5, 13, color)
    return c.image()


# ---------------------------------------------------------------- symbols
def time_signature(c, color):
    c.digit("2", 12, 4, 9, color)
    c.rect(7, 15.4, 17, 16.6, color)
    c.digit("4", 12, 19, 9, color)


def key_text(c, color, text="1=C"):
    c.digit("1", 5, 10, 11, color)
    c.glyph(0x3D, 11.5, 15.5, 4.5, 4, color)
    c.text(text[-1], SANS_BOLD, 18.5, 15.5, 10, color)


def symbol(n):
    c = Canvas(24, 32)
    k = INK
    cx, cy = 12, 16
    g = lambda code, w=18, h=18, x=cx, y=cy: c.glyph(code, x, y, w, h, k)  # noqa: E731
    if n == 1:
        time_signature(c, k)                       # 节拍号
    elif n == 2:
        g(0x59, 8, 22)                             # bar lines
    elif n == 3:
        g(0xF088, 20, 10)                          # D.C.
    elif n == 4:                                   # volta
        c.line([(4, 24), (4, 8), (21, 8)], k, 1.4)
        c.text("1.", SANS_BOLD, 9, 14, 6, k)
    elif n == 5:
        g(0x70, 21, 10)                            # rit.
    elif n == 6:                                   # tempo change between paragraphs
        g(0x41, 6, 12, 6, 12)
        arrow(c, 10, 12, 20, 12, ACCENT, 1.2, 2.5)
        g(0x41, 6, 12, 18, 23)
        c.glyph(0x3D, 13, 23, 4, 4, k)
    elif n == 7:
        g(0x3B, 18, 16)                            # fermata
    elif n == 8:                                   # slur
        g(0xF0C9, 20, 8, cx, 9)
        c.digit("5", 6, 15, 10, k)
        c.digit("6", 18, 15, 10, k)
    elif n == 9:
        note(c, 10, 10, 12, k, dot=True)           # dotted note
    elif n == 10:
        key_text(c, k)                             # 1=C
    elif n == 11:
        g(0x62, 10, 20)                            # flat
    elif n == 12:
        g(0x67, 20, 14)                            # pp
    elif n == 13:
        g(0x51, 18, 10)                            # turn
    elif n == 14:                                  # rhythm note
        c.text("X", SANS, 12, 13, 10, k)
        c.rect(6, 21, 18, 22.3, k)
    elif n == 15:
        g(0x58, 12, 20)                            # start of singing
    elif n == 16:
        g(0x66, 10, 14)                            # breath
    elif n == 17:                                  # tremolo on a note
        c.digit("5", 12, 14, 12, k)
        g(0x2A, 9, 8, cx, 7)
    elif n == 18:                                  # staccato over a note
        c.digit("5", 12, 14, 12, k)
        g(0x4D, 4, 6, cx, 8)
    elif n == 19:
        g(0x47, 16, 18)                            # slide
    elif n == 20:
        g(0xF0AD, 16, 18)                          # return slide up
    elif n == 21:
        g(0x45, 14, 20)                            # free metre
    elif n == 22:                                  # triplet
        c.arc(3, 6, 21, 18, 200, 340, k, 1.3)
        c.text("3", SANS_BOLD, 12, 7.5, 5, k)
        for x in (5, 12, 19):
            c.digit("5", x, 16, 9, k)
    elif n == 23:                                  # grace note before its note
        c.digit("3", 7, 7, 7, k)
        c.rect(4, 15.2, 10, 16, k)
        c.arc(5, 4, 21, 10, 200, 340, k, 0.9)
        c.digit("5", 15, 13, 12, k)
    elif n == 24:                                  # plus
        c.rect(6, 15, 18, 17, k)
        c.rect(11, 10, 13, 22, k)
    elif n == 25:
        g(0x2E, 14, 14)                            # one-bar repeat
    elif n == 26:
        g(0xF09F, 18, 14)                          # free repeat, left side
    elif n == 27:                                  # duration dash
        c.digit("5", 6, 10, 12, k)
        c.rect(12, 15.3, 22, 16.7, k)
    elif n == 28:                                  # change of key between paragraphs
        key_text(c, k)
        arrow(c, 3, 5, 21, 5, ACCENT, 1.2, 2.5)
    elif n == 29:                                  # key signature
        c.digit("1", 5, 10, 11, k)
        c.glyph(0x3D, 11.5, 15.5, 4.5, 4, k)
        g(0x61, 6, 12, 19, 15.5)
    elif n == 30:
        g(0x3D, 14, 8)                             # equals
    elif n == 31:                                  # tempo
        g(0x41, 6, 12, 6, 15)
        c.glyph(0x3D, 12, 17, 4, 4, k)
        c.digit("9", 19, 12, 9, k)
    elif n == 32:                                  # crescendo
        c.line([(21, 10), (3, 16), (21, 22)], k, 1.3)
    elif n == 33:
        pts = [(12 + (1.8 if i % 2 else -1.8), 27 - i * 2.2) for i in range(9)]
        c.line(pts, k, 1.1)                        # arpeggio, upward
        arrow(c, 12, 9.5, 12, 4, k, 1.1, 3)
    elif n == 34:
        g(0xF0AF, 18, 18)                          # long glide
    elif n == 35:                                  # double slide
        g(0xF0A8, 14, 14)
    elif n == 36:
        g(0xF0A4, 14, 12)                          # 8va
    elif n == 37:
        g(0x60, 20, 8)                             # bar rest
        c.digit("4", 12, 6, 7, k)
    else:  # further symbols for panels still to come
        extra = {38: (0x61, 10, 20), 39: (0x65, 10, 20), 40: (0xF086, 16, 20), 41: (0xF085, 18, 18),
                 42: (0x40, 18, 10), 43: (0x3E, 18, 10)}[n]
        g(extra[0], extra[1], extra[2])
    return c.image()


# ---------------------------------------------------------------- the table
def greyed(im):
    """A disabled face of a picture drawn in colours: every ink in the grey of
    the other disabled pictures, its coverage kept."""
    grey = Image.new("RGBA", im.size, INK_OFF)
    grey.putalpha(im.getchannel("A"))
    return grey


def two_states(draw, n):
    return {100 + n: lambda: draw(n, False), 200 + n: lambda: draw(n, True)}


def group(ids_and_makers):
    out = {}
    for part in ids_and_makers:
        out.update(part)
    return out


def on_face(make, face, size):
    """A picture drawn for a face of another shape: centred on the face,
    then brought to the picture's size, which the painter stretches back."""
    def draw():
        im = make()
        if im.size != face:
            f = Image.new("RGBA", face, (0, 0, 0, 0))
            f.alpha_composite(im, ((face[0] - im.width) // 2, (face[1] - im.height) // 2))
            im = f
        return im.resize(size, Image.LANCZOS) if im.size != size else im
    return draw


def faces(makers, face, size):
    return {k: on_face(m, face, size) for k, m in makers.items()}


def plates(size, face):
    return faces({100 + s: (lambda s=s: background(face[0], face[1], s)) for s in (1, 2, 3, 4)}, face, size)


# (resource type, pixel size, {identifier: maker}); the faces the panels give
# each type: wide 65 x 37, durations and octaves 32 x 32, alignment 24 x 32,
# values 40 x 32, information 24 x 24, fonts and colours 20 x 32.
GROUPS = [
    ("FORMAT1_BK", (84, 37), faces({100 * s + 1: (lambda s=s: background(65, 37, s)) for s in (1, 2, 3, 4)},
                                   WIDE_FACE, (84, 37))),
    ("FORMAT1_YC", (84, 37), faces({100 + n: (lambda n=n: duration_wide(n)) for n in range(1, 9)}, WIDE_FACE,
                                   (84, 37))),
    ("FORMAT1_YG", (84, 37), faces({100 + n: (lambda n=n: octave_wide(n)) for n in range(1, 9)}, WIDE_FACE,
                                   (84, 37))),
    ("FORMAT_BK", (24, 32), plates((24, 32), (32, 32))),
    ("FORMAT_YC", (24, 32), faces(group(two_states(duration_small, n) for n in range(1, 7)), (32, 32), (24, 32))),
    ("FORMAT_YG", (24, 32), faces(group(two_states(octave_small, n) for n in range(1, 10)), (32, 32), (24, 32))),
    ("DQ_BK", (40, 25), plates((40, 25), (24, 32))),
    ("DQ_BUT", (24, 32), group(two_states(alignment, n) for n in range(1, 7))),
    ("VAL_BK", (24, 32), plates((24, 32), (32, 32))),
    ("VAL_BUT", (24, 32), faces(group(two_states(value_button, n) for n in range(1, 9)), (40, 32), (24, 32))),
    ("INFO_BK", (40, 25), plates((40, 25), (24, 24))),
    ("INFO_BUT", (24, 24), group(two_states(info_button, n) for n in range(1, 4))),
    ("FONT_BK", (40, 25), plates((40, 25), (20, 32))),
    ("FONT_BUT", (20, 32), group(two_states(font_button, n) for n in range(1, 5))),
    ("BKCOLOR_W", (20, 32), {101: lambda: back_colour_overlay(False), 201: lambda: back_colour_overlay(True)}),
    ("FRCOLOR_A", (20, 32), {101: lambda: fore_colour_overlay(False), 201: lambda: fore_colour_overlay(True)}),
    ("MUNBUTTOM", (24, 32), group({100 + n: (lambda n=n: symbol(n)), 200 + n: (lambda n=n: greyed(symbol(n)))}
                                  for n in range(1, 44))),
]


# ---------------------------------------------------------------- the sheet
def sheet(images, path):
    """Every image twice its size on a checkerboard, grouped by type, then the
    faces as the painter composes them for a few button types."""
    label = ImageFont.truetype(SANS, 11)
    scale, pad = 2, 6
    cell_w, cell_h = 84 * scale + pad, 37 * scale + 18
    per_row = 8
    rows = []
    for rtype, _, makers in GROUPS:
        ids = sorted(makers)
        for i in range(0, len(ids), per_row):
            rows.append((rtype, ids[i:i + per_row]))
    faces = composed_faces(images)
    h = 10 + len(rows) * (cell_h + 4) + 40 + faces.size[1]
    out = Image.new("RGB", (per_row * cell_w + 140, h), (255, 255, 255))
    d = ImageDraw.Draw(out)
    y = 10
    for rtype, ids in rows:
        d.text((6, y + 30), rtype, fill=(0, 0, 0), font=label)
        for j, rid in enumerate(ids):
            im = images[(rtype, rid)]
            big = im.resize((im.width * scale, im.height * scale), Image.NEAREST)
            x = 130 + j * cell_w
            checker(out, x, y, big.width, big.height)
            out.paste(big, (x, y), big)
            d.text((x, y + big.height + 2), str(rid), fill=(60, 60, 60), font=label)
        y += cell_h + 4
    d.text((6, y + 10), "Faces by state 1-4 on a panel colour (types 1, 3, 5, 6, 7, 8, 14; 9 and 10 with colours)",
           fill=(0, 0, 0), font=label)
    out.paste(faces, (6, y + 34))
    out.save(path)


def checker(out, x, y, w, h, step=6):
    d = ImageDraw.Draw(out)
    for j in range(0, h, step):
        for i in range(0, w, step):
            shade = 236 if (i // step + j // step) % 2 else 250
            d.rectangle([x + i, y + j, x + min(w, i + step) - 1, y + min(h, j + step) - 1], fill=(shade,) * 3)


PANEL = (212, 208, 200, 255)


def face(images, bg, fg, size):
    """One face as the painter makes it: images scaled to the face size."""
    f = Image.new("RGBA", size, PANEL)
    for key in (bg, fg):
        if key and key in images:
            im = images[key].resize(size, Image.BILINEAR)
            f.alpha_composite(im)
    return f


def composed_faces(images):
    lines = [
        ("FORMAT1_BK", "FORMAT1_YC", 2, (65, 37), True),
        ("FORMAT1_BK", "FORMAT1_YG", 5, (65, 37), True),
        ("FORMAT_BK", "FORMAT_YC", 2, (32, 32), False),
        ("FORMAT_BK", "FORMAT_YG", 5, (32, 32), False),
        ("DQ_BK", "DQ_BUT", 3, (24, 32), False),
        ("VAL_BK", "VAL_BUT", 1, (40, 32), False),
        ("INFO_BK", "INFO_BUT", 2, (24, 24), False),
        ("FONT_BK", "FONT_BUT", 1, (20, 32), False),
        ("VAL_BK", "MUNBUTTOM", 7, (24, 32), False),
    ]
    scale = 2
    out = Image.new("RGB", (900, len(lines) * 80 + 90), (255, 255, 255))
    for row, (bk, fg, n, size, wide) in enumerate(lines):
        for state in (1, 2, 3, 4):
            if wide:
                bg = (bk, state * 100 + 1)
                fgk = (fg, 100 + n)
            else:
                bg = (bk, 100 + state) if state in (2, 3) else None
                fgk = (fg, 200 + n if state == 4 else 100 + n)
            f = face(images, bg, fgk, size).resize((size[0] * scale, size[1] * scale), Image.NEAREST)
            out.paste(f, (state * 160 - 150, row * 80 + 4))
    # colour buttons: highlight yellow and text red
    y = len(lines) * 80 + 4
    f = Image.new("RGBA", (20, 32), PANEL)
    f.alpha_composite(Image.new("RGBA", (20, 32), (255, 240, 0, 255)))
    f.alpha_composite(images[("BKCOLOR_W", 101)])
    out.paste(f.resize((40, 64), Image.NEAREST), (10, y))
    f = Image.new("RGBA", (20, 32), PANEL)
    f.alpha_composite(images[("FRCOLOR_A", 101)])
    ImageDraw.Draw(f).rectangle([3, 21, 3 + 13 - 1, 21 + 5 - 1], fill=(220, 0, 0, 255))
    out.paste(f.resize((40, 64), Image.NEAREST), (170, y))
    return out


# ---------------------------------------------------------------- main
def write_list(path):
    """The pictures without drawing them, for the tests that hold the button's table to them."""
    rows = [f'{{L"{rtype}", {rid}, {size[0]}, {size[1]}}},' for rtype, size, makers in GROUPS for rid in sorted(makers)]
    with open(path, "w", encoding="utf-8") as f:
        f.write("// Generated by make_images.py --list.\n" + "\n".join(rows) + "\n")


def main():
    global TOLVANE
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    if sys.argv[1] == "--list":
        write_list(sys.argv[2])
        return
    TOLVANE, outdir = sys.argv[1], sys.argv[2]
    os.makedirs(outdir, exist_ok=True)
    images = {}
    rc = ["// Generated by make_images.py: the image button's pictures.",
          "LANGUAGE 4, 2  // Chinese, simplified: 2052", ""]
    count = 0
    for rtype, size, makers in GROUPS:
        for rid in sorted(makers):
            im = makers[rid]()
            if im.size != size:
                sys.exit(f"{rtype} {rid}: drawn {im.size}, wanted {size}")
            images[(rtype, rid)] = im
            name = f"{rtype.lower()}_{rid}.png"
            im.save(os.path.join(outdir, name), optimize=True)
            path = os.path.abspath(os.path.join(outdir, name)).replace(os.sep, "/")
            rc.append(f'{rid} {rtype} "{path}"')
            count += 1
    if count != 202:
        sys.exit(f"{count} images drawn, 202 wanted")
    with open(os.path.join(outdir, "ButtonImages.rc"), "w", encoding="utf-8") as f:
        f.write("\n".join(rc) + "\n")
    sheet(images, os.path.join(outdir, "ButtonImages_sheet.png"))


if __name__ == "__main__":
    main()
