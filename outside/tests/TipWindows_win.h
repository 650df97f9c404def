#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// The tip windows (the tests make no other top-level ones of the class), or only the shown ones.
inline std::vector<HWND> Tips(bool shownOnly) {
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr));)
        if (!shownOnly || IsWindowVisible(w)) found.push_back(w);
    return found;
}

// The text a tip window holds for a tool window registered by `owner` (by default its parent).
inline std::wstring ToolText(HWND tips, HWND tool, HWND owner = nullptr) {
    wchar_t text[256] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = owner ? owner : GetParent(tool);
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    ti.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
    return text;
}
