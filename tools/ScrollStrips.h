#pragma once
#include <cstdint>

namespace tessaly {

// The page view's two scroll bars as strips drawn in its own client area (a vertical one on the
// right, a horizontal one at the bottom, a box in the corner between them): what they show, where
// their parts are and what a pointer is over. Positions run from 0 to a bar's last value; a
// system scroll bar's arithmetic places the thumb and reads it back, so a drag ends where it did.
class ScrollStrips {
public:
    // Track: the track of a bar that cannot scroll (it has no thumb).
    enum class Part { None, ArrowBack, PageBack, Thumb, PageForward, ArrowForward, Track, Corner };
    struct Rect {
        int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
        bool operator==(const Rect&) const = default;
        bool Empty() const { return Right <= Left || Bottom <= Top; }
    };
    struct Bar {
        bool Shown = false;
        int32_t Page = 0, Position = 0;
    };
    struct Hit {
        Part What = Part::None;
        bool Vertical = false;
    };

    // thickness: the bars' width across (and their arrows' length); lastValue: the top position.
    ScrollStrips(int32_t thickness, int32_t minThumb, int32_t lastValue)
        : thickness_(thickness), minThumb_(minThumb), last_(lastValue) {}

    void SetWindowSize(int32_t width, int32_t height) {
        width_ = width;
        height_ = height;
    }
    int32_t WindowWidth() const { return width_; }
    int32_t WindowHeight() const { return height_; }
    Bar& Of(bool vertical) { return vertical ? v_ : h_; }
    const Bar& Of(bool vertical) const { return vertical ? v_ : h_; }
    // The window less the bars shown: where the pages are drawn.
    int32_t PageWidth() const;
    int32_t PageHeight() const;
    Rect BarRect(bool vertical) const;  // empty when hidden
    Rect CornerRect() const;            // empty unless both show
    // One part of a bar; a thumb that does not fit (or a bar that cannot scroll) is empty.
    Rect PartRect(bool vertical, Part part) const;
    bool Scrolls(bool vertical) const;
    Hit HitTest(int32_t x, int32_t y) const;

    // A thumb drag: grabbed at a point, moved to another, the position its thumb now stands for.
    void Grab(bool vertical, int32_t x, int32_t y);
    int32_t DragTo(int32_t x, int32_t y);
    bool Dragging() const { return dragging_; }
    bool DragVertical() const { return dragVertical_; }
    int32_t Track() const { return track_; }
    void EndDrag() { dragging_ = false; }

private:
    struct Layout {
        int32_t Length = 0, Arrow = 0, ThumbStart = 0, ThumbLength = 0;
    };
    Layout LayOut(bool vertical) const;  // with the track's position while dragging
    int32_t ValueAt(bool vertical, int32_t thumbStart) const;

    int32_t thickness_, minThumb_, last_;
    int32_t width_ = 0, height_ = 0;
    Bar v_, h_;
    bool dragging_ = false, dragVertical_ = false;
    int32_t grabOffset_ = 0, track_ = 0;
};

}  // namespace tessaly
