#include "Quibbet_win.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

namespace outside {

namespace {

HWND MakeTipWindow(DWORD style) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | style,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr,
                           nullptr);
}

TOOLINFOW ToolOf(HWND control, UINT flags, const std::wstring* text) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | flags;
    ti.hwnd = GetParent(control) ? GetParent(control) : control;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    // The tip window copies the text when the tool is added.
    ti.lpszText = text ? const_cast<wchar_t*>(text->c_str()) : nullptr;
    return ti;
}

}  // namespace

Quibbet::~Quibbet() {
    if (balloon_) DestroyWindow(balloon_);
    if (tips_) DestroyWindow(tips_);
}

HWND Quibbet::Tips() {
    if (!tips_) tips_ = MakeTipWindow(0);
    return tips_;
}

void Quibbet::AddTool(HWND control, const std::wstring& text, int flags) {
    HWND tips = Tips();
    TOOLINFOW ti = ToolOf(control, 0, nullptr);
    SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    ti = ToolOf(control, ((flags & kShowOnHover) ? TTF_SUBCLASS : 0) | ((flags & kCentred) ? TTF_CENTERTIP : 0), &text);
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Quibbet::SetDelayTime(int popDelay) {
    // The tip window keeps a 16-bit delay.
    SendMessageW(Tips(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(std::clamp(popDelay, 0, 32767), 0));
}

void Quibbet::RemoveBalloon() {
    if (!balloon_ || !balloonTool_) return;
    TOOLINFOW ti = ToolOf(balloonTool_, 0, nullptr);
    SendMessageW(balloon_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(balloon_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    balloonTool_ = nullptr;
}

void Quibbet::ShowBalloon(HWND control, const Balloon& b) {
    RemoveBalloon();
    if (b.text.empty()) return;
    if (balloon_ && balloonShape_ != b.balloonShape) {
        DestroyWindow(balloon_);
        balloon_ = nullptr;
    }
    if (!balloon_) {
        balloon_ = MakeTipWindow(b.balloonShape ? TTS_BALLOON : 0);
        balloonShape_ = b.balloonShape;
    }
    SendMessageW(balloon_, TTM_SETMAXTIPWIDTH, 0, b.width > 0 ? b.width : -1);
    SendMessageW(balloon_, TTM_SETTITLEW, std::clamp(b.icon, 0, 3), reinterpret_cast<LPARAM>(b.title.c_str()));
    TOOLINFOW ti = ToolOf(control, TTF_TRACK | TTF_ABSOLUTE, &b.text);
    SendMessageW(balloon_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    balloonTool_ = control;

    // At the mouse while it is over the control, else (or when asked) at the control's centre.
    RECT r{};
    GetWindowRect(control, &r);
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    POINT mouse{};
    if (!(b.flags & kCentred) && GetCursorPos(&mouse) && PtInRect(&r, mouse)) at = mouse;
    SendMessageW(balloon_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(balloon_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace outside
