#include "PageGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "records/Numbers.h"

namespace tessaly {
namespace {

__extension__ using Wide = __int128;

constexpr Fixed kFixedMax = std::numeric_limits<Fixed>::max() / 4;

Fixed Saturate(Wide v) {
    if (v > kFixedMax) return kFixedMax;
    if (v < -kFixedMax) return -kFixedMax;
    return static_cast<Fixed>(v);
}

Fixed ToFixed(int64_t pixels) {
    return Saturate(Wide(pixels) * kFixedOne);
}

int64_t FloorDivide(Wide num, Wide den) {
    Wide q = num / den;
    if ((num % den != 0) && ((num < 0) != (den < 0))) --q;
    return Saturate(q);
}

int64_t DivideRoundedWide(Wide num, Wide den) {
    if (den <= 0) return 0;
    Wide q = num / den, r = num % den;
    if (r < 0) {  // make the remainder non-negative: q is then the floor
        r += den;
        --q;
    }
    const Wide twice = 2 * r;
    if (twice > den || (twice == den && (q % 2 != 0))) ++q;
    return Saturate(q);
}

int32_t ToLong(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// The scroll bar's scale for a position; a grid of no size has no bar to move.
int32_t BarPosition(Fixed position, Fixed grid) {
    return ToLong(DivideRoundedWide(Wide(position) * kScrollScale, grid));
}

// First visible cell along one axis, kept within the grid's cells.
int32_t FirstCell(Fixed position, int64_t cell, int32_t count) {
    if (cell <= 0) return 0;
    const int64_t first = FloorDivide(position, Wide(cell) * kFixedOne);
    return ToLong(std::clamp<int64_t>(first, 0, std::max<int64_t>(int64_t(count) - 1, 0)));
}

}  // namespace

int64_t DivideRounded(int64_t num, int64_t den) {
    return DivideRoundedWide(num, den);
}

Fixed ClampScroll(Fixed position, Fixed grid, int32_t client) {
    position = std::min(position, Saturate(Wide(grid) - ToFixed(client)));
    return std::max<Fixed>(position, 0);
}

void PageGrid::InitPageScrollInfo(int32_t pageCx, int32_t pageCy, int32_t pageCountX, int32_t pageCountY) {
    if (pageCx != -1) pageCx_ = pageCx;
    if (pageCy != -1) pageCy_ = pageCy;
    if (pageCountX != -1) countX_ = pageCountX;
    if (pageCountY != -1) countY_ = pageCountY;
    int32_t w = 0, h = 0;
    sink_->ClientSize(w, h);
    clientW_ = w;
    clientH_ = h;
    if (isEditCtlFrm_) {
        spaceY_ = 40;
        const double centred = RoundHalfEven((double(clientW_) - double(pageCx_)) / 2);
        spaceX_ = std::max(CLng(centred), 40);
    } else {
        spaceX_ = spaceY_ = 10;
    }
    gridW_ = Saturate((Wide(spaceX_) + (Wide(spaceX_) + pageCx_) * countX_) * kFixedOne);
    gridH_ = Saturate((Wide(spaceY_) + (Wide(spaceY_) + pageCy_) * countY_) * kFixedOne);
    // A grid that shrank must not leave the view beyond its end.
    ClampAll();
    UpdateBar(true);
    UpdateBar(false);
    Recompute();
}

void PageGrid::HandleScrollMessage(intptr_t wParam, bool isVertical) {
    const int code = static_cast<int>(wParam & 0xFFFF);
    Axis a = AxisOf(isVertical);
    const Fixed client = ToFixed(a.client);
    const Fixed step = ToFixed(a.client / 10);
    switch (code) {
        case 0: SetPosition(isVertical, std::max<Fixed>(a.position - step, 0)); break;
        case 1: SetPosition(isVertical, ClampScroll(a.position + step, a.grid, a.client)); break;
        case 2: SetPosition(isVertical, std::max<Fixed>(a.position - client, 0)); break;
        case 3: SetPosition(isVertical, ClampScroll(a.position + client, a.grid, a.client)); break;
        case 4:
        case 5: {
            const Wide track = sink_->TrackPosition(isVertical);
            a.position = ClampScroll(DivideRoundedWide(Wide(a.grid) * track, kScrollScale), a.grid, a.client);
            Recompute();
            if (code == 4) SetBarPosition(isVertical);
            break;
        }
        case 6: SetPosition(isVertical, 0); break;
        case 7: SetPosition(isVertical, ClampScroll(a.grid - client, a.grid, a.client)); break;
        default: break;
    }
}

void PageGrid::ShowScrollBars(int16_t values) {
    showSetting_ = values;
    if (values < 1 || values > 4) return;
    sink_->ShowBar(true, values >= 3);
    sink_->ShowBar(false, values == 2 || values == 4);
}

void PageGrid::OnSizeChanged(int32_t clientWidth, int32_t clientHeight) {
    clientW_ = clientWidth;
    clientH_ = clientHeight;
    UpdateBar(true);
    UpdateBar(false);
    ClampAll();
    SetBarPosition(true);
    SetBarPosition(false);
    Recompute();
}

void PageGrid::EnsureVisible(Fixed left, Fixed top, Fixed right, Fixed bottom) {
    bool changed = false;
    auto bring = [&](Axis a, Fixed start, Fixed length) {
        const Fixed client = ToFixed(a.client);
        if (start >= a.position && Wide(start) + length <= Wide(a.position) + client) return;
        Fixed p = length < client ? Saturate(Wide(start) - DivideRoundedWide(Wide(client) - length, 2)) : start;
        p = std::max<Fixed>(p, 0);
        if (Wide(p) + client > a.grid) p = std::max<Fixed>(Saturate(Wide(a.grid) - client), 0);
        a.position = p;
        changed = true;
    };
    bring(AxisOf(false), left, Saturate(Wide(right) - left));
    bring(AxisOf(true), top, Saturate(Wide(bottom) - top));
    if (!changed) return;
    SetBarPosition(false);
    SetBarPosition(true);
    Recompute();
}

void PageGrid::ScrollByMouseWheel(bool lineUp) {
    const Fixed step = ToFixed(clientH_ / 10);
    SetPosition(true, ClampScroll(lineUp ? posY_ + step : posY_ - step, gridH_, clientH_));
}

void PageGrid::ScrollByMouseMove(float yInc) {
    const double inc = std::isfinite(yInc) ? RoundHalfEven(double(yInc) * kFixedOne) : 0.0;
    const Fixed step = std::clamp<double>(inc, -double(kFixedMax), double(kFixedMax));
    SetPosition(true, ClampScroll(Saturate(Wide(posY_) + step), gridH_, clientH_));
}

void PageGrid::ScrollByPgDw(bool isPgDw) {
    const Fixed page = ToFixed(clientH_);
    SetPosition(true, ClampScroll(isPgDw ? posY_ + page : posY_ - page, gridH_, clientH_));
}

void PageGrid::SetFirstPageScrollX(Fixed position) {
    posX_ = std::clamp(position, -kFixedMax, kFixedMax);
    Recompute();
}

void PageGrid::SetFirstPageScrollY(Fixed position) {
    posY_ = std::clamp(position, -kFixedMax, kFixedMax);
    Recompute();
}

int32_t PageGrid::MousePageX(int32_t x, int32_t) const {
    const int64_t cell = int64_t(spaceX_) + pageCx_;
    if (cell <= 0) return 0;
    const int64_t page = FloorDivide(Wide(x) * kFixedOne + posX_, Wide(cell) * kFixedOne);
    return ToLong(std::max<int64_t>(std::min<int64_t>(page, int64_t(countX_) - 1), 0));
}

int32_t PageGrid::MousePageY(int32_t, int32_t y) const {
    const int64_t cell = int64_t(spaceY_) + pageCy_;
    if (cell <= 0) return 0;
    const int64_t page = FloorDivide(Wide(y) * kFixedOne + posY_, Wide(cell) * kFixedOne);
    return ToLong(std::max<int64_t>(std::min<int64_t>(page, int64_t(countY_) - 1), 0));
}

void PageGrid::UpdateBar(bool vertical) {
    const Axis a = AxisOf(vertical);
    const Fixed client = ToFixed(a.client);
    const bool show = a.grid > client;
    sink_->ShowBar(vertical, show);
    if (!show) return;
    const int32_t page = ToLong(DivideRoundedWide(Wide(client) * kScrollScale, a.grid));
    sink_->SetBar(vertical, page, BarPosition(a.position, a.grid));
}

void PageGrid::SetPosition(bool vertical, Fixed position) {
    Axis a = AxisOf(vertical);
    sink_->SetBarPosition(vertical, BarPosition(position, a.grid));
    a.position = position;
    Recompute();
}

void PageGrid::SetBarPosition(bool vertical) {
    const Axis a = AxisOf(vertical);
    sink_->SetBarPosition(vertical, BarPosition(a.position, a.grid));
}

void PageGrid::ClampAll() {
    posX_ = ClampScroll(posX_, gridW_, clientW_);
    posY_ = ClampScroll(posY_, gridH_, clientH_);
}

void PageGrid::Recompute() {
    const int64_t cellX = int64_t(spaceX_) + pageCx_, cellY = int64_t(spaceY_) + pageCy_;
    firstX_ = FirstCell(posX_, cellX, countX_);
    firstY_ = FirstCell(posY_, cellY, countY_);
    secondX_ = ToLong(std::max<int64_t>(std::min<int64_t>(int64_t(firstX_) + 1, int64_t(countX_) - 1), 0));
    secondY_ = ToLong(std::max<int64_t>(std::min<int64_t>(int64_t(firstY_) + 1, int64_t(countY_) - 1), 0));
    firstScrollX_ = Saturate(Wide(cellX) * kFixedOne * firstX_ - posX_);
    firstScrollY_ = Saturate(Wide(cellY) * kFixedOne * firstY_ - posY_);
}

}  // namespace tessaly
