#include "ScrollStrips.h"

#include <algorithm>
#include <initializer_list>

namespace tessaly {
namespace {

// Below this a bar has no room for a thumb, and its arrows share what there is.
constexpr int32_t kMinRect = 4;

// a * b / c to the nearest, halves away from zero, as the system's scroll bars reckon.
int32_t MulDiv(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return 0;
    const int64_t n = a * b;
    return static_cast<int32_t>((n >= 0) == (c > 0) ? (n + c / 2) / c : (n - c / 2) / c);
}

}  // namespace

int32_t ScrollStrips::PageWidth() const {
    return std::max(width_ - (v_.Shown ? thickness_ : 0), 0);
}

int32_t ScrollStrips::PageHeight() const {
    return std::max(height_ - (h_.Shown ? thickness_ : 0), 0);
}

ScrollStrips::Rect ScrollStrips::BarRect(bool vertical) const {
    if (!Of(vertical).Shown) return {};
    if (vertical) return {PageWidth(), 0, width_, PageHeight()};
    return {0, PageHeight(), PageWidth(), height_};
}

ScrollStrips::Rect ScrollStrips::CornerRect() const {
    if (!v_.Shown || !h_.Shown) return {};
    return {PageWidth(), PageHeight(), width_, height_};
}

bool ScrollStrips::Scrolls(bool vertical) const {
    const Bar& b = Of(vertical);
    return b.Shown && last_ > 0 && b.Page <= last_;
}

ScrollStrips::Layout ScrollStrips::LayOut(bool vertical) const {
    Layout l;
    const Rect r = BarRect(vertical);
    l.Length = vertical ? r.Bottom - r.Top : r.Right - r.Left;
    if (l.Length <= 2 * thickness_ + kMinRect) {
        l.Arrow = l.Length > kMinRect ? (l.Length - kMinRect) / 2 : 0;
        return l;
    }
    l.Arrow = thickness_;
    const Bar& b = Of(vertical);
    int32_t pixels = l.Length - 2 * l.Arrow;
    const int32_t thumb = std::max(b.Page > 0 ? MulDiv(pixels, b.Page, int64_t(last_) + 1) : l.Arrow, minThumb_);
    pixels -= thumb;
    if (pixels < 0 || !Scrolls(vertical)) return l;
    const int32_t position = dragging_ && dragVertical_ == vertical ? track_ : b.Position;
    const int32_t top = last_ - std::max(b.Page - 1, 0);
    l.ThumbLength = thumb;
    l.ThumbStart = l.Arrow + (top <= 0 ? 0 : MulDiv(pixels, std::clamp(position, 0, top), top));
    return l;
}

ScrollStrips::Rect ScrollStrips::PartRect(bool vertical, Part part) const {
    const Layout l = LayOut(vertical);
    int32_t from = 0, to = 0;
    switch (part) {
        case Part::ArrowBack: to = l.Arrow; break;
        case Part::ArrowForward: from = l.Length - l.Arrow, to = l.Length; break;
        case Part::Thumb: from = l.ThumbStart, to = l.ThumbStart + l.ThumbLength; break;
        case Part::PageBack: from = l.Arrow, to = l.ThumbLength ? l.ThumbStart : l.Arrow; break;
        case Part::PageForward:
            from = l.ThumbLength ? l.ThumbStart + l.ThumbLength : l.Length - l.Arrow, to = l.Length - l.Arrow;
            break;
        case Part::Track: from = l.Arrow, to = l.ThumbLength ? l.Arrow : l.Length - l.Arrow; break;
        default: return part == Part::Corner ? CornerRect() : Rect{};
    }
    const Rect r = BarRect(vertical);
    if (from >= to) return {};
    if (vertical) return {r.Left, r.Top + from, r.Right, r.Top + to};
    return {r.Left + from, r.Top, r.Left + to, r.Bottom};
}

ScrollStrips::Hit ScrollStrips::HitTest(int32_t x, int32_t y) const {
    auto inside = [&](const Rect& r) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; };
    if (inside(CornerRect())) return {Part::Corner, false};
    for (bool vertical : {true, false}) {
        const Rect r = BarRect(vertical);
        if (!inside(r)) continue;
        const Layout l = LayOut(vertical);
        const int32_t along = vertical ? y - r.Top : x - r.Left;
        Part part = Part::Track;
        if (along < l.Arrow) {
            part = Part::ArrowBack;
        } else if (along >= l.Length - l.Arrow) {
            part = Part::ArrowForward;
        } else if (l.ThumbLength > 0) {
            part = along < l.ThumbStart                   ? Part::PageBack
                   : along < l.ThumbStart + l.ThumbLength ? Part::Thumb
                                                          : Part::PageForward;
        }
        return {part, vertical};
    }
    return {};
}

int32_t ScrollStrips::ValueAt(bool vertical, int32_t thumbStart) const {
    const Layout l = LayOut(vertical);
    const int32_t pixels = l.Length - 2 * l.Arrow - l.ThumbLength;
    if (l.ThumbLength == 0 || pixels <= 0) return 0;
    const int32_t page = Of(vertical).Page;
    const int64_t range = page > 0 ? int64_t(last_) - page + 1 : last_;
    return MulDiv(std::clamp(thumbStart - l.Arrow, 0, pixels), range, pixels);
}

void ScrollStrips::Grab(bool vertical, int32_t x, int32_t y) {
    const Rect r = BarRect(vertical);
    const Layout l = LayOut(vertical);
    grabOffset_ = (vertical ? y - r.Top : x - r.Left) - l.ThumbStart;
    track_ = Of(vertical).Position;
    dragVertical_ = vertical;
    dragging_ = true;
}

int32_t ScrollStrips::DragTo(int32_t x, int32_t y) {
    if (!dragging_) return track_;
    const Rect r = BarRect(dragVertical_);
    const int32_t along = dragVertical_ ? y - r.Top : x - r.Left;
    track_ = ValueAt(dragVertical_, along - grabOffset_);
    return track_;
}

}  // namespace tessaly
