#pragma once
#include <cstdint>

namespace tessaly {

// Grid lengths and scroll positions are fixed point with four decimals
// (a count of ten-thousandths), as the callers pass them.
using Fixed = int64_t;
inline constexpr Fixed kFixedOne = 10000;

// The scroll bars have a fixed scale, whatever the grid size.
inline constexpr int32_t kScrollScale = 32767;

// What the page grid asks of the window whose scroll bars it drives.
class ScrollBarSink {
public:
    virtual ~ScrollBarSink() = default;
    // The window's client size; 0 by 0 when it cannot be read.
    virtual void ClientSize(int32_t& width, int32_t& height) = 0;
    virtual void ShowBar(bool vertical, bool show) = 0;
    // Range 0 to kScrollScale, with page and position, redrawn.
    virtual void SetBar(bool vertical, int32_t page, int32_t position) = 0;
    virtual void SetBarPosition(bool vertical, int32_t position) = 0;
    // Where the user is dragging the thumb.
    virtual int32_t TrackPosition(bool vertical) = 0;
};

// The scroll position over a grid of equal page cells, a gap before every
// page and after the last one, and the pages that show in the window.
class PageGrid {
public:
    explicit PageGrid(ScrollBarSink& sink) : sink_(&sink) {}
    // The bars driven from now on; the caller sets them up as the grid stands.
    void SetSink(ScrollBarSink& sink) { sink_ = &sink; }

    void SetEditView(bool isEditCtlFrm) { isEditCtlFrm_ = isEditCtlFrm; }
    // -1 in any argument keeps that value.
    void InitPageScrollInfo(int32_t pageCx, int32_t pageCy, int32_t pageCountX, int32_t pageCountY);
    void HandleScrollMessage(intptr_t wParam, bool isVertical);
    void ShowScrollBars(int16_t values);
    void OnSizeChanged(int32_t clientWidth, int32_t clientHeight);
    void EnsureVisible(Fixed left, Fixed top, Fixed right, Fixed bottom);
    void ScrollByMouseWheel(bool lineUp);
    void ScrollByMouseMove(float yInc);
    void ScrollByPgDw(bool isPgDw);

    int32_t PageSpaceX() const { return spaceX_; }
    int32_t PageSpaceY() const { return spaceY_; }
    int16_t ScrollBarSetting() const { return showSetting_; }
    int32_t FirstVisiblePageX() const { return firstX_; }
    int32_t FirstVisiblePageY() const { return firstY_; }
    int32_t SecondVisiblePageX() const { return secondX_; }
    int32_t SecondVisiblePageY() const { return secondY_; }
    Fixed FirstVisiblePageScrollX() const { return firstScrollX_; }
    Fixed FirstVisiblePageScrollY() const { return firstScrollY_; }
    Fixed FirstPageScrollX() const { return -posX_; }
    Fixed FirstPageScrollY() const { return -posY_; }
    // Stores the value as the scroll position itself (not negated); the bars stay.
    void SetFirstPageScrollX(Fixed position);
    void SetFirstPageScrollY(Fixed position);
    int32_t ClientWidth() const { return clientW_; }
    int32_t ClientHeight() const { return clientH_; }
    int32_t MousePageX(int32_t x, int32_t y) const;
    int32_t MousePageY(int32_t x, int32_t y) const;

    Fixed PositionX() const { return posX_; }
    Fixed PositionY() const { return posY_; }
    Fixed GridWidth() const { return gridW_; }
    Fixed GridHeight() const { return gridH_; }

private:
    struct Axis {
        Fixed& position;
        Fixed grid;
        int32_t client;
    };
    Axis AxisOf(bool vertical) { return vertical ? Axis{posY_, gridH_, clientH_} : Axis{posX_, gridW_, clientW_}; }
    void UpdateBar(bool vertical);
    void SetPosition(bool vertical, Fixed position);
    void SetBarPosition(bool vertical);
    void ClampAll();
    void Recompute();

    ScrollBarSink* sink_;
    bool isEditCtlFrm_ = false;
    int16_t showSetting_ = 0;
    int32_t pageCx_ = 0, pageCy_ = 0, countX_ = 0, countY_ = 0;
    int32_t spaceX_ = 0, spaceY_ = 0;
    int32_t clientW_ = 0, clientH_ = 0;
    Fixed gridW_ = 0, gridH_ = 0, posX_ = 0, posY_ = 0;
    int32_t firstX_ = 0, firstY_ = 0, secondX_ = 0, secondY_ = 0;
    Fixed firstScrollX_ = 0, firstScrollY_ = 0;
};

// Limits a position to the grid: at most grid - client, then at least 0.
Fixed ClampScroll(Fixed position, Fixed grid, int32_t client);
// num / den to the nearest integer, halves to even; 0 when den is not positive.
int64_t DivideRounded(int64_t num, int64_t den);

}  // namespace tessaly
