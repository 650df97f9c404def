#pragma once

#include <cstdint>
#include <string>

#include "paint/PaintContext.h"

namespace notaline {

// What the last cell set on the surface: a cell changes the text colour or the font only when
// its own differ. Invalidate() before the first cell drawn on a surface.
struct CellCache {
    int32_t Cf = -1;
    std::string Face;
    int32_t FontTblIndex = -1;
    int32_t Weight = -1;
    int32_t Underline = -1;
    int32_t StrikeOut = -1;
    int32_t Italic = -1;
    int32_t Height = 0;
    int32_t TargetId = -1;

    void Invalidate() {
        Cf = -1;
        FontTblIndex = -1;
    }
};

// One character of a line: the character in its font and colour, its duration lines and its
// octave dots (the dots and the character of a grace note come with its mark).
void DrawWordCell(PaintContext& ctx, CellCache& cache, int32_t word, int32_t line);
// Every character of a line; a new target gets the first character's font first.
void DrawLineWords(PaintContext& ctx, CellCache& cache, int32_t line, int32_t targetId);
void DrawYcLines(PaintContext& ctx, CellCache& cache, int32_t word, int32_t line, bool inGraceGroup);
void DrawOctaveDots(PaintContext& ctx, CellCache& cache, int32_t word);

// Offsets in pixels, down positive.
double GetYcLineOffset(const PaintContext& ctx, int32_t word);
double GetSymbolYcLineOffset(const PaintContext& ctx, int32_t word);
double GetLowDotOffset(const PaintContext& ctx, int32_t word);
// Where a character's duration lines end: joined to the next note's on the same line.
double GetYcLineRight(const PaintContext& ctx, int32_t word, int32_t line);

// "-n-" in the band at the page's foot, placed by PagePosIndexType. `scale` is the target's zoom;
// the page number's font is 宋体 whether or not the font table has it.
void DrawPageNumber(PaintContext& ctx, int32_t pageNumber, double originX, double originY, double scale);

// The glyph of a free-placed item, rotated to run upward and stretched to the item's height.
void DrawHwWord(PaintContext& ctx, int32_t item);
// Widest character width a free item's font is given: longer items are left shorter.
inline constexpr int32_t kMaxHwWordStretch = 4000;

}  // namespace notaline
