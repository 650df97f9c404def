#pragma once
// What the control's Wine tests share: waiting on this thread's messages, and pictures of the screen.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win/tests/Capture_win.h"

namespace notaline::test {

// Dispatches this thread's messages until the condition holds or ten seconds pass. Messages
// already queued are taken first; the wait is capped so that a condition another thread sets
// is seen too.
template <class Condition>
bool PumpUntil(Condition done) {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    for (;;) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

// The texts of the message boxes `run` opens on this thread, each answered with OK as it opens.
template <class Run>
std::vector<std::wstring> BoxesOf(Run run) {
    static std::vector<std::wstring> texts;
    texts.clear();
    const auto read = [](int code, WPARAM w, LPARAM l) -> LRESULT {
        wchar_t cls[16]{}, text[512]{};
        const HWND box = reinterpret_cast<HWND>(w);
        if (code == HCBT_ACTIVATE && GetClassNameW(box, cls, 16) && std::wstring(cls) == L"#32770") {
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            texts.push_back(text);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, w, l);
    };
    const HHOOK hook = SetWindowsHookExW(WH_CBT, read, nullptr, GetCurrentThreadId());
    run();
    UnhookWindowsHookEx(hook);
    return texts;
}

// A part of the screen as a PNG file: windows as they are shown, child windows and menus too.
inline void SaveScreenPng(const RECT& r, const wchar_t* name) {
    win::test::SavePng(win::test::CopyOf(win::ScreenDc().Get(), r).Get(), name);
}

}  // namespace notaline::test
