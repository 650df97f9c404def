#pragma once

#include <cstdint>

namespace notaline {

// The caret's box in window pixels.
struct CaretBox {
    float Left = 0;
    float Top = 0;
    float Height = 0;
    float Width = 0;
};

// What the control and its editing objects ask of the page renderer: the screen, the page
// buffers, the page grid, painting and the caret.
class PageRenderer {
public:
    virtual ~PageRenderer() = default;

    virtual int32_t WindowsZoomPercentage() = 0;
    virtual int32_t CurrentDpi() = 0;
    virtual void NewMeasureDC() = 0;
    virtual void ResetPageBuffers() = 0;
    virtual void InitPageBuffers() = 0;
    virtual void InitPageScrollInfo(int32_t PageCx, int32_t PageCy, int32_t PageCountX, int32_t PageCountY) = 0;
    virtual void ResetView() = 0;
    // Mode 5 (SelColorRefresh) only composes: the window's paint uses it.
    virtual void RefreshView(int32_t SelStart, int32_t SelLength, int32_t Mode) = 0;
    virtual void EnsureWordVisible(int32_t Word) = 0;
    virtual void CheckCPdqLine() = 0;
    virtual void CheckXjdqLine() = 0;
    virtual bool BigHuaYingHasRoom(int32_t First, int32_t Last) = 0;
    // Before the control's window goes back to its own procedure.
    virtual void DeletePageBufferDCs() = 0;
    // Where the input method's composition window goes.
    virtual CaretBox CaretRect() = 0;
};

}  // namespace notaline
