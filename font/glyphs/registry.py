"""The glyph table: every module registers its glyphs here by code."""

from dataclasses import dataclass
from typing import Callable

from .draw import Shape


@dataclass
class GlyphDef:
    code: int          # character code: one byte b, or a two-byte 0xF0xx
    name: str          # glyph name in the font
    family: str        # module that draws it
    tiling: bool       # copies are set side by side or stretched
    make: Callable[[], tuple]

    @property
    def unicode(self):
        return self.code if self.code > 0xFF else 0xF000 + self.code

    def build(self):
        shape, advance = self.make()
        if not isinstance(shape, Shape):
            raise TypeError(f"{self.name}: drawing did not return a Shape")
        return shape, advance


TABLE: list = []


def glyph(code, name, tiling=False):
    def register(fn):
        family = fn.__module__.rsplit(".", 1)[-1]
        TABLE.append(GlyphDef(code, name, family, tiling, fn))
        return fn
    return register
