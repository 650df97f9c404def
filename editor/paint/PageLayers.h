#pragma once

#include <cstdint>
#include <string_view>

#include "paint/CellPainter.h"
#include "paint/PaintContext.h"

namespace notaline {

// A page's size in pixels at a zoom, each side rounded halves to even.
struct PixelSize {
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const PixelSize&) const = default;
};
PixelSize PageSizeAt(const EditorData& data, double scale);

// The three layers of a page, each drawn at ctx.Scale in page pixels from the page's corner.
// Background and characters: the page's colour or texture (white under a texture that is
// missing), the source-line marker, the character cells and the page number.
void DrawPageBackground(PaintContext& ctx, std::u16string_view textureFile);
// With a band, only the characters whose ink may reach its rows.
void DrawPageTextLayer(PaintContext& ctx, CellCache& cache, int32_t page, const IntRect* band = nullptr);
// White, then the background-colour runs, the corner marks and the attached marks.
void DrawPageMarkLayer(PaintContext& ctx, int32_t page);
// White, then the page's free-placed items.
void DrawPageItemLayer(PaintContext& ctx, int32_t page);
// Whether any free item stands on the page: its item layer holds nothing else.
bool PageHasItems(const EditorData& data, int32_t page);
void ClearPageLayer(PaintContext& ctx);

// Grey marks pointing out of the corners of the writable area, from (ox, oy).
void DrawCornerMarks(PaintContext& ctx, double ox, double oy);
// The background colours of the page's characters: one fill per run of equal colour in a line.
void DrawPageWordBkColor(PaintContext& ctx, int32_t page);

// Colours of the page backgrounds by BackGroundType 0 to 4, ARGB.
inline constexpr uint32_t kBackgroundArgb[] = {0xFFFFFFFFu, 0xFFFF0000u, 0xFF40FF40u, 0xFFFF8000u, 0xFFFFFF00u};
inline constexpr uint8_t kTextureBackground = 5;
inline constexpr uint32_t kCornerMarkArgb = 0xFF808080u;

}  // namespace notaline
