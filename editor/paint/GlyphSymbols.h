#pragma once

#include <cstdint>
#include <string>

#include "paint/PaintContext.h"

namespace notaline {

void DrawExtralCountedGlyph(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralNoVibrato(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralArpeggio(PaintContext& ctx, int32_t word, int32_t slot);
// Draws "C" whatever the slot's text, and leaves "C" in `text`.
void DrawExtralTestSymbol(PaintContext& ctx, int32_t word, std::string& text);
void DrawExtralPressVibrato(PaintContext& ctx, int32_t code, int32_t word, int32_t val2, int32_t val1);

// Voltas: the start draws the whole bracket when an end shares its line, else the piece to
// the line's end; an end whose start is on an earlier line draws the piece from its line's start.
void DrawExtralVoltaStart(PaintContext& ctx, int32_t word, int32_t slot);
void DrawExtralVoltaEnd(PaintContext& ctx, int32_t word, int32_t slot, bool open);
void DrawVoltaOnLine(PaintContext& ctx, int32_t start, int32_t end, int32_t slot, bool open);
// `last` is the line's last drawn character (not its paragraph end); the line runs over its glyph.
void DrawVoltaToLineEnd(PaintContext& ctx, int32_t start, int32_t last, int32_t slot);
void DrawVoltaFromLineStart(PaintContext& ctx, const tessaly::aLineInfo& line, int32_t end, int32_t slot, bool open);

}  // namespace notaline
