#!/usr/bin/python3
"""Builds the notation font Tolvane from the glyph drawings in glyphs/.

Usage: build_font.py OUTPUT.ttf

The font is refused (exit status 1, nothing written) unless every code the
editor draws is mapped, all ink lies inside the vertical metrics (Wine
clips what lies outside), every tiling piece is as wide as the average
character width, the lead-byte glyph U+F0F0 is empty and has no advance,
and the family name is exact.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree clean when CMake runs us

import io  # noqa: E402
import os  # noqa: E402

from fontTools.fontBuilder import FontBuilder  # noqa: E402
from fontTools.pens.ttGlyphPen import TTGlyphPen  # noqa: E402
from fontTools.ttLib import TTFont, newTable  # noqa: E402
from fontTools.ttLib.tables._c_m_a_p import cmap_format_4  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from glyphs import TABLE  # noqa: E402
from glyphs.draw import Shape, rect, signed_area  # noqa: E402
from glyphs.metrics import ASCENT, AVG_WIDTH, DESCENT, UPM  # noqa: E402

FAMILY = "Tolvane"
VERSION = "1.000"
# 2024-01-01 00:00:00 UTC in seconds since 1904: fixed, so that two builds
# of the same sources give the same bytes.
TIMESTAMP = 3786912000
SYMBOL_CODEPAGE_BIT = 31
LEAD_BYTE = 0xF0F0

# Every code the editor sends to the font (one-byte codes b, two-byte 0xF0xx).
REQUIRED = sorted(
    list(range(0x20, 0x3C)) + [0x3E, 0x3F, 0x40, 0x41] + list(range(0x43, 0x73))
    + list(range(0x75, 0x7B)) + [0x7C]
    + list(range(0xF085, 0xF08A)) + [0xF08D, 0xF08E] + list(range(0xF09B, 0xF0C0))
    + [0xF0C9, 0xF0CD, 0xF0CE] + list(range(0xF0DD, 0xF0E3)) + [LEAD_BYTE]
)


def unicode_of(code):
    return code if code > 0xFF else 0xF000 + code


def tt_glyph(shape):
    pen = TTGlyphPen(None)
    for points, hole in shape.contours:
        pts = []
        for x, y in points:
            p = (round(x), round(y))
            if not pts or p != pts[-1]:
                pts.append(p)
        while len(pts) > 1 and pts[0] == pts[-1]:
            pts.pop()
        if len(pts) < 3 or signed_area(pts) == 0:
            continue
        # TrueType: outer contours clockwise, holes counter-clockwise.
        if (signed_area(pts) > 0) != hole:
            pts.reverse()
        pen.moveTo(pts[0])
        for p in pts[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


def collect():
    seen_codes, seen_names = {}, {}
    entries = []
    for g in TABLE:
        if g.code in seen_codes:
            raise SystemExit(f"code 0x{g.code:X} drawn twice ({seen_codes[g.code]}, {g.name})")
        if g.name in seen_names:
            raise SystemExit(f"glyph name {g.name} used twice")
        seen_codes[g.code] = g.name
        seen_names[g.name] = g.code
        shape, advance = g.build()
        entries.append((g, shape, advance))
    entries.sort(key=lambda e: unicode_of(e[0].code))
    return entries


def build():
    entries = collect()
    names = [".notdef"] + [g.name for g, _, _ in entries]
    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(names)

    # The usual hollow box for anything unmapped.
    notdef = Shape().extend(rect(100, 0, 920, 1400)).add(
        rect(180, 80, 840, 1320).contours[0][0], hole=True)
    glyphs = {".notdef": tt_glyph(notdef)}
    advances = {".notdef": AVG_WIDTH}
    for g, shape, advance in entries:
        glyphs[g.name] = tt_glyph(shape)
        advances[g.name] = advance
    fb.setupGlyf(glyphs)
    glyf = fb.font["glyf"]
    fb.setupHorizontalMetrics({
        n: (advances[n], getattr(glyf[n], "xMin", 0) if glyf[n].numberOfContours else 0) for n in names})

    # Symbol fonts carry only a (3,0) cmap; GDI then reports charset 2.
    cmap = newTable("cmap")
    cmap.tableVersion = 0
    sub = cmap_format_4(4)
    sub.platformID, sub.platEncID, sub.language = 3, 0, 0
    sub.cmap = {unicode_of(g.code): g.name for g, _, _ in entries}
    cmap.tables = [sub]
    fb.font["cmap"] = cmap

    fb.setupHead(unitsPerEm=UPM, created=TIMESTAMP, modified=TIMESTAMP, fontRevision=1.0,
                 lowestRecPPEM=8)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)
    fb.setupOS2(
        version=4, xAvgCharWidth=AVG_WIDTH, usWeightClass=400, usWidthClass=5, fsType=0,
        sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
        usWinAscent=ASCENT, usWinDescent=DESCENT,
        ulUnicodeRange1=0, ulUnicodeRange2=1 << 28, ulUnicodeRange3=0, ulUnicodeRange4=0,
        ulCodePageRange1=1 << SYMBOL_CODEPAGE_BIT, ulCodePageRange2=0,
        sxHeight=700, sCapHeight=1400, achVendID="JPNT", fsSelection=0x40,
        usDefaultChar=0, usBreakChar=0xF020, usMaxContext=0,
    )
    fb.setupPost(keepGlyphNames=True, underlinePosition=-150, underlineThickness=80)
    fb.setupMaxp()

    name = newTable("name")
    name.names = []
    strings = {0: "Glyphs drawn for this project", 1: FAMILY, 2: "Regular",
               3: f"{FAMILY} {VERSION}", 4: FAMILY, 5: f"Version {VERSION}", 6: FAMILY}
    for name_id, text in strings.items():
        # Symbol fonts name themselves in the symbol encoding on Windows.
        name.setName(text, name_id, 3, 0, 0x409)
        name.setName(text, name_id, 1, 0, 0)
    fb.font["name"] = name

    out = io.BytesIO()
    fb.save(out)
    return out.getvalue()


def problems(data):
    """What makes the font unusable by the editor, as messages."""
    font = TTFont(io.BytesIO(data))
    found = []
    families = [r.toUnicode() for r in font["name"].names if r.nameID == 1]
    if not families or any(f != FAMILY for f in families):
        found.append(f"family name is {families!r}, not {FAMILY!r}")
    subtables = [(t.platformID, t.platEncID) for t in font["cmap"].tables]
    if subtables != [(3, 0)]:
        found.append(f"cmap subtables {subtables}, expected only (3, 0)")
    cmap = font["cmap"].getcmap(3, 0)
    cmap = cmap.cmap if cmap else {}
    missing = [c for c in REQUIRED if unicode_of(c) not in cmap]
    if missing:
        found.append("codes not mapped: " + " ".join(f"0x{c:X}" for c in missing))
    os2, hmtx, glyf = font["OS/2"], font["hmtx"], font["glyf"]
    if not os2.ulCodePageRange1 >> SYMBOL_CODEPAGE_BIT & 1:
        found.append("OS/2 symbol code-page bit not set")
    for gn in font.getGlyphOrder():
        g = glyf[gn]
        if g.numberOfContours and (g.yMin < -DESCENT or g.yMax > ASCENT):
            found.append(f"{gn}: ink {g.yMin}..{g.yMax} outside {-DESCENT}..{ASCENT}")
    tiling = {unicode_of(g.code) for g in TABLE if g.tiling}
    for u in sorted(tiling):
        gn = cmap.get(u)
        if gn is None:
            continue
        adv = hmtx[gn][0]
        if adv != os2.xAvgCharWidth:
            found.append(f"{gn}: tiling advance {adv} != xAvgCharWidth {os2.xAvgCharWidth}")
        g = glyf[gn]
        if not g.numberOfContours or g.xMin >= 0 or g.xMax <= adv:
            found.append(f"{gn}: tiling ink must overshoot both sides of its advance")
    lead = cmap.get(LEAD_BYTE)
    if lead is not None and (glyf[lead].numberOfContours or hmtx[lead][0] != 0):
        found.append("U+F0F0 must be empty with zero advance")
    return found


def main(argv):
    if len(argv) != 2:
        print("usage: build_font.py OUTPUT.ttf", file=sys.stderr)
        return 2
    data = build()
    bad = problems(data)
    if bad:
        print("build_font.py: the font is not usable:", file=sys.stderr)
        for msg in bad:
            print("  " + msg, file=sys.stderr)
        return 1
    out = argv[1]
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    tmp = out + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
