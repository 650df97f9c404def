#include "win/Tickwell_win.h"

#include <windows.h>
#include <mmsystem.h>

namespace win {
namespace {

constexpr UINT kTick = WM_APP + 1;
constexpr LONG kCatchUpMs = 100;
constexpr wchar_t kClass[] = L"TickwellWindow";
// Tokens of events posted at once; multimedia timer identifiers stay far below.
constexpr WPARAM kPostedTokens = static_cast<WPARAM>(1) << 40;

void RegisterOnce(WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);  // fails harmlessly when already registered
}

}  // namespace

Tickwell::Tickwell() {
    timeBeginPeriod(1);
    RegisterOnce(WindowProc);
    window_ = CreateWindowW(kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    nextToken_ = kPostedTokens;
}

Tickwell::~Tickwell() {
    *alive_ = false;
    Disarm();
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    timeEndPeriod(1);
}

void CALLBACK Tickwell::Due(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    // On the multimedia timer's thread: touch nothing of the object.
    PostMessageW(reinterpret_cast<HWND>(user), kTick, id, 0);
}

void Tickwell::Disarm() {
    if (mmTimer_) timeKillEvent(mmTimer_);
    mmTimer_ = 0;
    token_ = 0;
}

void Tickwell::Arm(DWORD due) {
    Disarm();
    // After a long stall start afresh rather than fire a burst to catch up.
    if (static_cast<LONG>(due - timeGetTime()) < -kCatchUpMs) due = timeGetTime();
    due_ = due;
    const LONG wait = static_cast<LONG>(due - timeGetTime());
    if (wait > 0)
        mmTimer_ = timeSetEvent(static_cast<UINT>(wait), 1, Due, reinterpret_cast<DWORD_PTR>(window_),
                                TIME_ONESHOT | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (mmTimer_) {
        token_ = mmTimer_;
    } else {
        // Due already, or no multimedia timer to be had: the next event comes at once.
        token_ = ++nextToken_;
        PostMessageW(window_, kTick, token_, 0);
    }
}

void Tickwell::Interval(int32_t ms) {
    interval_ = ms;
    const DWORD wait = static_cast<DWORD>(ms > 0 ? ms : 0);
    if (inHandler_) {
        armedInHandler_ = true;
        if (on_) Arm(due_ + (timeGetTime() - handlerStart_) + wait);
    } else if (on_) {
        Arm(timeGetTime() + wait);
    }
}

void Tickwell::Enabled(bool on) {
    if (on == on_) return;
    on_ = on;
    if (!on)
        Disarm();
    else if (!inHandler_)
        Arm(timeGetTime() + static_cast<DWORD>(interval_ > 0 ? interval_ : 0));
}

void Tickwell::Fire(WPARAM token) {
    if (!on_ || token != token_) return;
    mmTimer_ = 0;
    const auto alive = alive_;
    inHandler_ = true;
    armedInHandler_ = false;
    handlerStart_ = timeGetTime();
    // A copy, as the handler may release this timer.
    auto handler = Timer;
    if (handler) handler();
    if (!*alive) return;
    inHandler_ = false;
    if (on_ && !armedInHandler_) Arm(due_ + static_cast<DWORD>(interval_ > 0 ? interval_ : 0));
}

LRESULT CALLBACK Tickwell::WindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == kTick) {
        if (auto* self = reinterpret_cast<Tickwell*>(GetWindowLongPtrW(w, GWLP_USERDATA))) self->Fire(wp);
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

}  // namespace win
