#pragma once
#include <windows.h>
#include <unknwn.h>

// A face of MyScrollInfo for a window that has its scroll bars drawn in its own client area
// instead of the system's: the window paints them and hands them its mouse messages.
struct IScrollStrips : IUnknown {
    // From now on the bars are drawn in the window; the system's go.
    virtual HRESULT STDMETHODCALLTYPE DrawInWindow() = 0;
    // Paints the bars shown (and the corner box between them) on the window's device context.
    virtual HRESULT STDMETHODCALLTYPE PaintBars(LONG_PTR dc) = 0;
    // S_OK with *result set when the message was the bars' (a button, move or timer of theirs, the
    // cursor over them); S_FALSE when the window handles it.
    virtual HRESULT STDMETHODCALLTYPE BarMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;
};
__CRT_UUID_DECL(IScrollStrips, 0x5753cef1, 0x0a4f, 0x4552, 0x8f, 0xa4, 0x8f, 0xf0, 0xee, 0xcf, 0x7d, 0x86)
