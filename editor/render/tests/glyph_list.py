#!/usr/bin/python3
"""Writes the notation font's glyph codes as C++ initialisers for the font tests.

Usage: glyph_list.py FONT_FOLDER OUTPUT.inc
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.abspath(sys.argv[1]))

from glyphs import TABLE  # noqa: E402

rows = []
for g in sorted(TABLE, key=lambda g: g.unicode):
    tiling = "true" if g.tiling else "false"
    rows.append(f'{{0x{g.unicode:04X}, {tiling}, "{g.name}"}},')
text = "// Generated from font/glyphs: {unicode, tiling, name}.\n" + "\n".join(rows) + "\n"
os.makedirs(os.path.dirname(os.path.abspath(sys.argv[2])), exist_ok=True)
with open(sys.argv[2], "w", encoding="utf-8") as f:
    f.write(text)
