#include "model/PageRules.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace notaline {

namespace {

struct Millimetres {
    int64_t Width = 0;
    int64_t Height = 0;
};

// The paper as CalcPageSize lays it out; a zero size when it cannot.
Millimetres PaperSize(const tessaly::AboutPageInfo& page) {
    Millimetres mm;
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

}  // namespace

bool IsUsablePaper(const tessaly::AboutPageInfo& page) {
    return PaperSize(page).Width > 0;
}

// The writable area mirrors the left and top margins; the right and bottom ones are kept too.
bool MarginsFit(const tessaly::AboutPageInfo& page, const tessaly::RECT& margins) {
    const Millimetres mm = PaperSize(page);
    const int64_t width = mm.Width * 10;
    const int64_t height = mm.Height * 10;
    const int64_t left = margins.Left, top = margins.Top, right = margins.Right, bottom = margins.Bottom;
    if (left < 0 || top < 0 || right < 0 || bottom < 0) return false;
    return 2 * left < width && 2 * top < height && left + right < width && top + bottom < height;
}

bool IsUsableScale(float scale) {
    return std::isfinite(scale) && scale > 0;
}

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
        const Millimetres mm = PaperSize(page);
        FitMarginPair(page.PageMarginRect.Left, page.PageMarginRect.Right, mm.Width * 10);
        FitMarginPair(page.PageMarginRect.Top, page.PageMarginRect.Bottom, mm.Height * 10);
        repaired = true;
    }
    if (!IsUsableScale(page.nScale)) set(page.nScale, 1.0f);
    return repaired;
}

}  // namespace notaline
