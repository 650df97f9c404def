"""Glyph families of the notation font, one module each."""

from . import cells, bars, ornaments, strings, spans, free  # noqa: F401  (registration)
from .registry import TABLE

__all__ = ["TABLE"]
