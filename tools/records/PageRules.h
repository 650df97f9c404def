#pragma once

#include <cmath>
#include <cstdint>
#include <utility>

#include "records/Document.h"

// What page setups the layout can lay out; the page dialog refuses what the editor would refuse.
namespace tessaly {

// Paper types of AboutPageInfo.PaperType.
enum PaperType : uint8_t { pA4 = 0, pA3 = 1, pCustom = 9 };

// The zoom's range, and a custom paper's sides in millimetres (page buffers stay within reason).
inline constexpr float kMinZoom = 0.55f;
inline constexpr float kMaxZoom = 2.4f;
inline constexpr int32_t kMaxPaperSide = 1000;

struct PaperMillimetres {
    int64_t Width = 0;
    int64_t Height = 0;
};

// The paper as the layout lays it out, turned for landscape; a zero size when it cannot.
inline PaperMillimetres PaperSizeOf(const AboutPageInfo& page) {
    PaperMillimetres mm;
    switch (page.PaperType) {
        case pA4: mm = {210, 297}; break;
        case pA3: mm = {297, 420}; break;
        case pCustom: mm = {page.PageSize.cx, page.PageSize.cy}; break;
        default: return {};
    }
    if (page.PageFX == 1) std::swap(mm.Width, mm.Height);
    if (page.PageFX > 1 || mm.Width <= 0 || mm.Height <= 0 || mm.Width > kMaxPaperSide || mm.Height > kMaxPaperSide)
        return {};
    return mm;
}

// A known paper and orientation; a custom paper of 1 to kMaxPaperSide mm each way.
inline bool IsUsablePaper(const AboutPageInfo& page) {
    return PaperSizeOf(page).Width > 0;
}

// Margins of at least 0 that leave room to write. The writable area mirrors the left and top
// margins; the right and bottom ones are kept too.
inline bool MarginsFit(const AboutPageInfo& page, const RECT& margins) {
    const PaperMillimetres mm = PaperSizeOf(page);
    const int64_t width = mm.Width * 10;
    const int64_t height = mm.Height * 10;
    const int64_t left = margins.Left, top = margins.Top, right = margins.Right, bottom = margins.Bottom;
    if (left < 0 || top < 0 || right < 0 || bottom < 0) return false;
    return 2 * left < width && 2 * top < height && left + right < width && top + bottom < height;
}

inline bool IsUsableScale(float scale) {
    return std::isfinite(scale) && scale > 0;
}

// The whole setup as the editor takes it from the page dialog: the scale within the zoom's range.
inline bool IsUsablePageSetup(const AboutPageInfo& page) {
    return IsUsablePaper(page) && MarginsFit(page, page.PageMarginRect) && IsUsableScale(page.nScale) &&
           page.nScale >= kMinZoom && page.nScale <= kMaxZoom;
}

}  // namespace tessaly
