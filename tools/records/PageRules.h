#pragma once

#include <algorithm>
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
// The Ctrl+wheel goes a step further: the largest zoom the view is ever drawn at.
inline constexpr float kMaxWheelZoom = 2.5f;
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

// The writable area in tenths of a millimetre, as the layout takes it: the left and top margins
// mirrored; zero for a paper the layout cannot lay out.
inline PaperMillimetres WritableTenths(const AboutPageInfo& page) {
    const PaperMillimetres mm = PaperSizeOf(page);
    if (mm.Width <= 0) return {};
    return {std::max<int64_t>(mm.Width * 10 - 2 * int64_t{page.PageMarginRect.Left}, 0),
            std::max<int64_t>(mm.Height * 10 - 2 * int64_t{page.PageMarginRect.Top}, 0)};
}

inline bool IsUsableScale(float scale) {
    return std::isfinite(scale) && scale > 0;
}

// A scale the page dialog may hand over: within the zoom's range.
inline bool IsZoomScale(float scale) {
    return IsUsableScale(scale) && scale >= kMinZoom && scale <= kMaxZoom;
}

// The whole setup as the editor takes it from the page dialog.
inline bool IsUsablePageSetup(const AboutPageInfo& page) {
    return IsUsablePaper(page) && MarginsFit(page, page.PageMarginRect) && IsZoomScale(page.nScale);
}

}  // namespace tessaly
