#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document/EditorData.h"
#include "model/document/Tables.h"
#include "paint/Canvas.h"

namespace notaline {

class PageServices;

// One drawing pass of the mark layer: the document (read only), the surface and the editor's
// current font record, which each painter fills and selects.
struct PaintContext {
    const EditorData& Data;
    Canvas& Dc;
    PageServices* Services = nullptr;  // null: the defaults (PageServices.h)
    tessaly::mLogFont mLogFont;
    // Zoom of the surface: every character and free item is read at it, the document stays as stored.
    double Scale = 1;

    PaintContext(const EditorData& data, Canvas& dc, PageServices* services = nullptr)
        : Data(data), Dc(dc), Services(services) {}
    PageServices& Page();
};

// Longest run of glyphs a stored count may ask for: counts come from files.
inline constexpr int32_t kMaxGlyphRun = 512;

// A glyph code as text: one byte, or the two bytes of a code above 255.
std::string Glyph(uint16_t code);
// `count` copies of a glyph (none for a count below 1, at most kMaxGlyphRun).
std::string GlyphRun(uint16_t code, int32_t count);
// A fixed text of the program, from UTF-8 to code page 936.
std::string Gbk(std::string_view utf8);

// A character at the pass's zoom: its box, spacing, raise, size and font height scaled, a copy.
tessaly::aWordInfo Word(const PaintContext& ctx, int32_t index);
tessaly::aWordInfo ScaledWord(const StoredWord& w, double scale);
// A free-placed item at the pass's zoom.
tessaly::aHwWordInfo HwWord(const PaintContext& ctx, int32_t index);
const tessaly::aExtralWordInfo& SlotOf(const PaintContext& ctx, int32_t word, int32_t slot);

// v offset units in pixels: v × lfHeight / 20.4; positive raises or moves right.
double OffsetPx(const tessaly::aWordInfo& w, int64_t v);
// Nearest, ties to even; kept within ±2^30 so that later small shifts cannot overflow.
int32_t Px(double x);
// The box from `left` to `right` over the character's band: Top and Bottom less the raise,
// moved by v offset units.
IntRect BandRect(const tessaly::aWordInfo& w, int64_t v, double left, double right);

int32_t PenWidth(const PaintContext& ctx);                    // 6 while printing, 2 on screen
uint32_t WordColour(const PaintContext& ctx, int32_t word);   // colour-table entry cf, 0 when missing
uint32_t GetWordArgb(const PaintContext& ctx, int32_t word);  // the character's colour for GDI+
void SetWordTextColor(PaintContext& ctx, int32_t word);

// Fills the current font record for a face and selects it; returns a copy.
tessaly::mLogFont SetMarkGlyphFont(PaintContext& ctx, std::string_view face, int32_t height, int32_t width,
                                   int32_t escapement);
void SelectWordFont(PaintContext& ctx, const tessaly::mLogFont& font);
// The notation font at a height, made current and selected.
void SelectNotationFont(PaintContext& ctx, int32_t height, int32_t width = 0, int32_t escapement = 0);
// The font for mark text near a character, at factor × its height.
tessaly::mLogFont MakeMarkTextFont(PaintContext& ctx, int32_t word, double factor);
void SelectMarkTextFont(PaintContext& ctx, int32_t word, double factor);
tessaly::LogFont MakeGdiLogFont(std::string_view face, int32_t height, int32_t width, int32_t escapement);

}  // namespace notaline
