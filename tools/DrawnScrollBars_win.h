#pragma once
#include <windows.h>

#include "PageGrid.h"
#include "ScrollStrips.h"

namespace tessaly {

// Scroll bars drawn in a window's own client area, with the look and the mouse of the system's:
// arrows and page clicks repeat while held, the thumb scrolls as it is dragged. They tell the
// window what the user asks as the system's bars do, by WM_VSCROLL and WM_HSCROLL.
class DrawnScrollBars final : public ScrollBarSink {
public:
    DrawnScrollBars();
    HWND window = nullptr;
    ScrollStrips& Strips() { return strips_; }

    // The page area, the client area less the bars.
    void ClientSize(int32_t& width, int32_t& height) override;
    // The page area changes: the window is told its size again, as the system's bars tell it.
    void ShowBar(bool vertical, bool show) override;
    void SetBar(bool vertical, int32_t page, int32_t position) override;
    void SetBarPosition(bool vertical, int32_t position) override;
    int32_t TrackPosition(bool vertical) override;

    // On the given device context, or on the window's own when null.
    void Paint(HDC dc);
    // True when the message was the bars'.
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    void PaintBar(HDC dc, bool vertical);
    void Redraw(bool vertical);
    void Press(ScrollStrips::Hit hit, int32_t x, int32_t y);
    void Move(int32_t x, int32_t y);
    void Repeat();
    void Release();
    void Step();
    void Send(bool vertical, int code, int32_t position = 0);
    ScrollStrips::Hit HitAtCursor() const;

    ScrollStrips strips_;
    ScrollStrips::Hit pressed_;  // the part a held button went down on
    bool over_ = false;          // the pointer is over that part
};

}  // namespace tessaly
