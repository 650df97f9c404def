#include "model/layout/PageSetupRules.h"

#include <algorithm>

namespace notaline {

namespace {

// The margin pair of one direction of a paper `length` tenths long, as close as they may stay:
// the first under half the paper, both together under the whole.
void FitMarginPair(int32_t& first, int32_t& second, int64_t length) {
    const int64_t a = std::clamp<int64_t>(first, 0, (length - 1) / 2);
    const int64_t b = std::clamp<int64_t>(second, 0, length - 1 - a);
    first = static_cast<int32_t>(a);
    second = static_cast<int32_t>(b);
}

}  // namespace

bool RepairPageSetup(tessaly::AboutPageInfo& page) {
    bool repaired = false;
    const auto set = [&repaired](auto& field, auto value) {
        if (field == value) return;
        field = value;
        repaired = true;
    };
    if (page.PageFX > 1) set(page.PageFX, uint8_t{0});
    if (page.PaperType != pA4 && page.PaperType != pA3 && page.PaperType != pCustom) set(page.PaperType, uint8_t{pA4});
    if (page.PaperType == pCustom) {
        set(page.PageSize.cx, std::clamp(page.PageSize.cx, int32_t{1}, kMaxPaperSide));
        set(page.PageSize.cy, std::clamp(page.PageSize.cy, int32_t{1}, kMaxPaperSide));
    }
    if (!MarginsFit(page, page.PageMarginRect)) {
        const tessaly::PaperMillimetres mm = tessaly::PaperSizeOf(page);
        FitMarginPair(page.PageMarginRect.Left, page.PageMarginRect.Right, mm.Width * 10);
        FitMarginPair(page.PageMarginRect.Top, page.PageMarginRect.Bottom, mm.Height * 10);
        repaired = true;
    }
    if (!IsUsableScale(page.nScale)) set(page.nScale, 1.0f);
    return repaired;
}

}  // namespace notaline
