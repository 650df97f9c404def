#include "DrawnScrollBars_win.h"

#include <windowsx.h>

#include <initializer_list>

#include "win/GdiHandles.h"

namespace tessaly {
namespace {

using Part = ScrollStrips::Part;

constexpr UINT_PTR kRepeatTimer = 0x5342;
// The system's bars wait this long before an arrow held repeats, then repeat this often.
constexpr UINT kFirstDelayMs = 200, kRepeatDelayMs = 50;
constexpr int32_t kMinThumb = 8;

RECT ToRect(const ScrollStrips::Rect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

bool Repeats(Part p) {
    return p == Part::ArrowBack || p == Part::ArrowForward || p == Part::PageBack || p == Part::PageForward;
}

}  // namespace

DrawnScrollBars::DrawnScrollBars() : strips_(GetSystemMetrics(SM_CXVSCROLL), kMinThumb, kScrollScale) {}

void DrawnScrollBars::ClientSize(int32_t& width, int32_t& height) {
    RECT r{};
    if (!window || !GetClientRect(window, &r)) r = RECT{};
    strips_.SetWindowSize(r.right - r.left, r.bottom - r.top);
    width = strips_.PageWidth();
    height = strips_.PageHeight();
}

void DrawnScrollBars::ShowBar(bool vertical, bool show) {
    ScrollStrips::Bar& b = strips_.Of(vertical);
    if (b.Shown == show) return;
    b.Shown = show;
    if (!window) return;
    RECT r{};
    GetClientRect(window, &r);
    SendMessageW(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
}

void DrawnScrollBars::SetBar(bool vertical, int32_t page, int32_t position) {
    ScrollStrips::Bar& b = strips_.Of(vertical);
    if (b.Page == page && b.Position == position) return;
    b.Page = page;
    b.Position = position;
    Redraw(vertical);
}

void DrawnScrollBars::SetBarPosition(bool vertical, int32_t position) {
    ScrollStrips::Bar& b = strips_.Of(vertical);
    if (b.Position == position) return;
    b.Position = position;
    Redraw(vertical);
}

int32_t DrawnScrollBars::TrackPosition(bool vertical) {
    if (strips_.Dragging() && strips_.DragVertical() == vertical) return strips_.Track();
    return strips_.Of(vertical).Position;
}

void DrawnScrollBars::Paint(HDC dc) {
    if (!dc) {
        if (!window) return;
        const win::WindowDc own(window);
        if (own.Get()) Paint(own.Get());
        return;
    }
    for (bool vertical : {true, false})
        if (strips_.Of(vertical).Shown) PaintBar(dc, vertical);
    const RECT corner = ToRect(strips_.CornerRect());
    if (corner.right > corner.left) FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
}

void DrawnScrollBars::PaintBar(HDC dc, bool vertical) {
    const bool scrolls = strips_.Scrolls(vertical);
    auto held = [&](Part p) { return pressed_.What == p && pressed_.Vertical == vertical && over_; };
    for (Part p : {Part::ArrowBack, Part::ArrowForward}) {
        RECT r = ToRect(strips_.PartRect(vertical, p));
        if (r.right <= r.left || r.bottom <= r.top) continue;
        UINT state = p == Part::ArrowBack ? (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT)
                                          : (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
        if (!scrolls) state |= DFCS_INACTIVE;
        if (held(p)) state |= DFCS_PUSHED | DFCS_FLAT;
        DrawFrameControl(dc, &r, DFC_SCROLL, state);
    }
    // The track as the system paints its own bars': a scroll-bar colour that is the window's is
    // dithered with the buttons' highlight.
    auto track = reinterpret_cast<HBRUSH>(
        DefWindowProcW(window, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
    if (!track) track = GetSysColorBrush(COLOR_SCROLLBAR);
    for (Part p : {Part::PageBack, Part::PageForward, Part::Track}) {
        const RECT r = ToRect(strips_.PartRect(vertical, p));
        if (r.right <= r.left || r.bottom <= r.top) continue;
        FillRect(dc, &r, held(p) ? GetSysColorBrush(COLOR_3DDKSHADOW) : track);
    }
    RECT thumb = ToRect(strips_.PartRect(vertical, Part::Thumb));
    if (thumb.right > thumb.left && thumb.bottom > thumb.top) DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void DrawnScrollBars::Redraw(bool vertical) {
    if (!window || !strips_.Of(vertical).Shown || !IsWindowVisible(window)) return;
    const win::WindowDc dc(window);
    if (dc.Get()) PaintBar(dc.Get(), vertical);
}

ScrollStrips::Hit DrawnScrollBars::HitAtCursor() const {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    return strips_.HitTest(p.x, p.y);
}

bool DrawnScrollBars::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    result = 0;
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const ScrollStrips::Hit hit = strips_.HitTest(x, y);
            if (hit.What == Part::None) return false;
            Press(hit, x, y);
            return true;
        }
        case WM_MOUSEMOVE:
            if (pressed_.What != Part::None) {
                Move(x, y);
                return true;
            }
            return strips_.HitTest(x, y).What != Part::None;
        case WM_LBUTTONUP:
            if (pressed_.What != Part::None) {
                Release();
                return true;
            }
            return strips_.HitTest(x, y).What != Part::None;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: return pressed_.What != Part::None || strips_.HitTest(x, y).What != Part::None;
        case WM_TIMER:
            if (wParam != kRepeatTimer) return false;
            Repeat();
            return true;
        case WM_CAPTURECHANGED:
            if (pressed_.What != Part::None && reinterpret_cast<HWND>(lParam) != window) Release();
            return false;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) != window || LOWORD(lParam) != HTCLIENT) return false;
            if (pressed_.What == Part::None && HitAtCursor().What == Part::None) return false;
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            result = TRUE;
            return true;
        default: return false;
    }
}

void DrawnScrollBars::Press(ScrollStrips::Hit hit, int32_t x, int32_t y) {
    if (!strips_.Scrolls(hit.Vertical)) return;  // a disabled bar's arrows do nothing either
    if (hit.What == Part::Thumb) {
        strips_.Grab(hit.Vertical, x, y);
    } else if (!Repeats(hit.What)) {
        return;  // the corner box and the track of a bar that cannot scroll do nothing
    }
    pressed_ = hit;
    over_ = true;
    SetCapture(window);
    Redraw(hit.Vertical);
    if (hit.What == Part::Thumb) return;
    Step();
    SetTimer(window, kRepeatTimer, kFirstDelayMs, nullptr);
}

void DrawnScrollBars::Move(int32_t x, int32_t y) {
    if (pressed_.What == Part::Thumb) {
        const int32_t before = strips_.Track();
        const int32_t now = strips_.DragTo(x, y);
        if (now == before) return;
        Redraw(pressed_.Vertical);
        Send(pressed_.Vertical, SB_THUMBTRACK, now);
        return;
    }
    const ScrollStrips::Hit hit = strips_.HitTest(x, y);
    const bool over = hit.What == pressed_.What && hit.Vertical == pressed_.Vertical;
    if (over == over_) return;
    over_ = over;
    Redraw(pressed_.Vertical);
}

// A part held goes on acting while the pointer is over it; a page click stops once the thumb
// reaches the pointer.
void DrawnScrollBars::Repeat() {
    if (!Repeats(pressed_.What)) {
        KillTimer(window, kRepeatTimer);
        return;
    }
    const ScrollStrips::Hit hit = HitAtCursor();
    const bool over = hit.What == pressed_.What && hit.Vertical == pressed_.Vertical;
    if (over != over_) {
        over_ = over;
        Redraw(pressed_.Vertical);
    }
    if (over) Step();
    SetTimer(window, kRepeatTimer, kRepeatDelayMs, nullptr);
}

void DrawnScrollBars::Release() {
    const ScrollStrips::Hit was = pressed_;
    pressed_ = {};
    over_ = false;
    KillTimer(window, kRepeatTimer);
    if (GetCapture() == window) ReleaseCapture();
    if (was.What == Part::Thumb) {
        Send(was.Vertical, SB_THUMBPOSITION, strips_.Track());
        strips_.EndDrag();
    }
    Redraw(was.Vertical);
    Send(was.Vertical, SB_ENDSCROLL);
}

void DrawnScrollBars::Step() {
    int code = SB_LINEUP;
    switch (pressed_.What) {
        case Part::ArrowForward: code = SB_LINEDOWN; break;
        case Part::PageBack: code = SB_PAGEUP; break;
        case Part::PageForward: code = SB_PAGEDOWN; break;
        default: break;
    }
    Send(pressed_.Vertical, code);
}

void DrawnScrollBars::Send(bool vertical, int code, int32_t position) {
    SendMessageW(window, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position & 0xFFFF), 0);
}

}  // namespace tessaly
