"""Metrics that the editor's drawing rules depend on.

Every offset the editor applies to a mark is in units of em / 20.4; with
2040 units per em one such unit is exactly 100 font units, so the vertical
places below can be read straight off the default offsets.
"""

UPM = 2040
ASCENT = 2040
DESCENT = 300
UNIT = UPM / 20.4  # one offset unit in font units (100)

# Digits, the tiling pieces and the average width share one advance, so a
# run stretched with lfWidth = gap fills the gap exactly.
ADVANCE = 1020
AVG_WIDTH = ADVANCE

# Overshoot of tiling pieces beyond their advance on both sides.
OVERSHOOT = 16

# Digits: ink from the baseline to DIGIT_TOP.
DIGIT_TOP = 1400
DIGIT_STEM = 150

# Duration lines sit below the digit once moved down by the default
# hYc = 4 units; each further line 2 units lower, the same step by which
# low dots move per line.
LINE_THICK = 80
LINE_TOP = 270
LINE_PITCH = 200

# Octave dots. High dots stack upward from HIGH_DOT_Y, low dots downward
# from LOW_DOT_Y; at hYg 14..15 and hYc + 12 they clear the digit.
DOT_R = 72
DOT_PITCH = 200
HIGH_DOT_Y = 240
LOW_DOT_Y = 1368

# Grace-note strokes are drawn 12 (first) and 14 (second) units further
# down than duration lines, so the first lies where a line lies under a
# normal note.
GRACE_LINE_TOP = LINE_TOP + 12 * UNIT

# Lowest ink allowed for a mark drawn at a default offset v (in units):
# it must clear the digit and one high dot at hYg 15.
HIGH_DOT_TOP_AT_15 = HIGH_DOT_Y + DOT_R + 15 * UNIT
MARK_GAP = 60


def mark_floor(v):
    return HIGH_DOT_TOP_AT_15 + MARK_GAP - v * UNIT


# Flat arc pieces at offset 0: the line runs above digit and octave dot.
ARC_LINE_Y = 1940
ARC_LINE_THICK = 56

# Free-placed items: lfHeight = Width / 0.4 (cell height), drawn rotated at
# X - h * 4 / 15, so across the item the ink must lie in this band.
CELL = ASCENT + DESCENT
FREE_HI = ASCENT - CELL * 4 / 15
FREE_LO = FREE_HI - CELL * 0.4
