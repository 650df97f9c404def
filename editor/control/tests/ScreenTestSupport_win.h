#pragma once
// What the control's Wine tests share: waiting on this thread's messages, and pictures of the screen.
#include <windows.h>

#include "render/Gdip_win.h"

namespace notaline::test {

// Dispatches this thread's messages until the condition holds or ten seconds pass.
template <class Condition>
bool PumpUntil(Condition done) {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    return true;
}

// A part of the screen as a PNG file: windows as they are shown, child windows and menus too.
inline void SaveScreenPng(const RECT& r, const wchar_t* name) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(dc, bmp);
    BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    SelectObject(dc, old);
    Gdiplus::GpBitmap* image = nullptr;
    Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bmp, nullptr, &image);
    SaveImageToPNG(image, name);
    Gdiplus::DllExports::GdipDisposeImage(image);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

}  // namespace notaline::test
