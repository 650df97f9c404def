#pragma once

#include <cstdint>

namespace notaline {

// What the editing objects ask of the page renderer: the page buffers, the page grid's scrolling,
// the screen it draws on. NoPageView stands in where nothing is shown (96 DPI, zoom 1).
class PageView {
public:
    virtual ~PageView() = default;

    // The screen the host window is on.
    virtual int32_t WindowsZoomPercentage() = 0;
    virtual int32_t CurrentDpi() = 0;
    // A fresh display context for measuring with GDI.
    virtual void NewMeasureDC() = 0;

    virtual void ResetPageBuffers() = 0;
    virtual void InitPageBuffers() = 0;
    // The page grid of MyScrollInfo; -1 keeps a value.
    virtual void InitPageScrollInfo(int32_t PageCx, int32_t PageCy, int32_t PageCountX, int32_t PageCountY) = 0;
    // Shows the document from its first page, everything drawn again.
    virtual void ResetView() = 0;
    // Redraws the layers that the mode (RefreshType) names and places the caret.
    virtual void RefreshView(int32_t SelStart, int32_t SelLength, int32_t Mode) = 0;
    // Scrolls the page grid so that the character's box is in the window.
    virtual void EnsureWordVisible(int32_t Word) = 0;
    // Drop an alignment source line that the caret line now overlaps.
    virtual void CheckCPdqLine() = 0;
    virtual void CheckXjdqLine() = 0;
    // Whether the laid-out boxes leave room for a big glissando's arrow between the two.
    virtual bool BigHuaYingHasRoom(int32_t First, int32_t Last) = 0;
};

// Shows nothing, on a 96 DPI screen at zoom 1; every glissando has room.
class NoPageView : public PageView {
public:
    int32_t WindowsZoomPercentage() override { return 100; }
    int32_t CurrentDpi() override { return 96; }
    void NewMeasureDC() override {}
    void ResetPageBuffers() override {}
    void InitPageBuffers() override {}
    void InitPageScrollInfo(int32_t, int32_t, int32_t, int32_t) override {}
    void ResetView() override {}
    void RefreshView(int32_t, int32_t, int32_t) override {}
    void EnsureWordVisible(int32_t) override {}
    void CheckCPdqLine() override {}
    void CheckXjdqLine() override {}
    bool BigHuaYingHasRoom(int32_t, int32_t) override { return true; }
};

}  // namespace notaline
