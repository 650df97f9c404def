#include "MyScrollInfo_win.h"

#include <initializer_list>

namespace tessaly {
namespace {

int Bar(bool vertical) {
    return vertical ? SB_VERT : SB_HORZ;
}

// Setting a bar as it stands still makes the window recompute its frame and redraw the bar, which
// under some systems costs more than the keystroke that asked: the grid is set again after every edit.
bool BarShown(HWND window, bool vertical) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & (vertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

bool BarStands(HWND window, bool vertical, UINT mask, const SCROLLINFO& wanted) {
    SCROLLINFO now{sizeof now, mask, 0, 0, 0, 0, 0};
    if (!BarShown(window, vertical) || !GetScrollInfo(window, Bar(vertical), &now)) return false;
    return ((mask & SIF_RANGE) == 0 || (now.nMin == wanted.nMin && now.nMax == wanted.nMax)) &&
           ((mask & SIF_PAGE) == 0 || now.nPage == wanted.nPage) && ((mask & SIF_POS) == 0 || now.nPos == wanted.nPos);
}

CY ToCy(Fixed v) {
    CY c;
    c.int64 = v;
    return c;
}

void ReturnCy(VARIANT* r, Fixed v) {
    if (!r) return;
    V_VT(r) = VT_CY;
    V_CY(r) = ToCy(v);
}

Fixed CyArg(const com::Arg& a) {
    return a.As(VT_CY).cyVal.int64;
}

template <class T>
HRESULT Put(T* out, T value) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
}

}  // namespace

void WindowScrollBars::ClientSize(int32_t& width, int32_t& height) {
    RECT r{};
    if (!window || !GetClientRect(window, &r)) r = RECT{};
    width = r.right - r.left;
    height = r.bottom - r.top;
}

void WindowScrollBars::ShowBar(bool vertical, bool show) {
    if (window && BarShown(window, vertical) != show) ShowScrollBar(window, Bar(vertical), show);
}

void WindowScrollBars::SetBar(bool vertical, int32_t page, int32_t position) {
    if (!window) return;
    SCROLLINFO si{
        sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, kScrollScale, static_cast<UINT>(std::max(page, 0)), position, 0};
    if (!BarStands(window, vertical, si.fMask, si)) SetScrollInfo(window, Bar(vertical), &si, TRUE);
}

void WindowScrollBars::SetBarPosition(bool vertical, int32_t position) {
    if (!window) return;
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, position, 0};
    if (!BarStands(window, vertical, si.fMask, si)) SetScrollInfo(window, Bar(vertical), &si, TRUE);
}

int32_t WindowScrollBars::TrackPosition(bool vertical) {
    SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    if (!window || !GetScrollInfo(window, Bar(vertical), &si)) return 0;
    return si.nTrackPos;
}

HRESULT MyScrollInfo::put_hwnd(VARIANT_BOOL IsEditCtlFrm, LONG_PTR hwnd) {
    bars_.window = reinterpret_cast<HWND>(hwnd);
    drawn_.window = bars_.window;
    grid_.SetEditView(IsEditCtlFrm != VARIANT_FALSE);
    return S_OK;
}

HRESULT MyScrollInfo::InitPageScrollInfo(LONG PageCx, LONG PageCy, LONG PageCountX, LONG PageCountY) {
    grid_.InitPageScrollInfo(PageCx, PageCy, PageCountX, PageCountY);
    return S_OK;
}

HRESULT MyScrollInfo::get_PageSpaceY(LONG* value) {
    return Put<LONG>(value, grid_.PageSpaceY());
}
HRESULT MyScrollInfo::get_PageSpaceX(LONG* value) {
    return Put<LONG>(value, grid_.PageSpaceX());
}

HRESULT MyScrollInfo::HandleScrollMessage(LONG_PTR wParam, VARIANT_BOOL isVertical) {
    grid_.HandleScrollMessage(wParam, isVertical != VARIANT_FALSE);
    return S_OK;
}

HRESULT MyScrollInfo::pShowScrollBar(SHORT Values) {
    grid_.ShowScrollBars(Values);
    return S_OK;
}

HRESULT MyScrollInfo::OnSizeChanged(LONG NewClientWidth, LONG NewClientHeight) {
    grid_.OnSizeChanged(NewClientWidth, NewClientHeight);
    return S_OK;
}

HRESULT MyScrollInfo::EnsureVisible(CY RectLeft, CY RectTop, CY RectRight, CY RectBottom) {
    grid_.EnsureVisible(RectLeft.int64, RectTop.int64, RectRight.int64, RectBottom.int64);
    return S_OK;
}

HRESULT MyScrollInfo::ScrollByMouseWheel(VARIANT_BOOL LineUp) {
    grid_.ScrollByMouseWheel(LineUp != VARIANT_FALSE);
    return S_OK;
}

HRESULT MyScrollInfo::ScrollByMouseMove(float yInc) {
    grid_.ScrollByMouseMove(yInc);
    return S_OK;
}

HRESULT MyScrollInfo::ScrollByPgDw(VARIANT_BOOL IsPgDw) {
    grid_.ScrollByPgDw(IsPgDw != VARIANT_FALSE);
    return S_OK;
}

HRESULT MyScrollInfo::get_FristVisiblelPageX(LONG* value) {
    return Put<LONG>(value, grid_.FirstVisiblePageX());
}
HRESULT MyScrollInfo::get_FristVisiblelPageY(LONG* value) {
    return Put<LONG>(value, grid_.FirstVisiblePageY());
}
HRESULT MyScrollInfo::get_SecondVisiblelPageX(LONG* value) {
    return Put<LONG>(value, grid_.SecondVisiblePageX());
}
HRESULT MyScrollInfo::get_SecondVisiblelPageY(LONG* value) {
    return Put<LONG>(value, grid_.SecondVisiblePageY());
}
HRESULT MyScrollInfo::get_FristVisiblelPageScrollX(CY* value) {
    return Put(value, ToCy(grid_.FirstVisiblePageScrollX()));
}
HRESULT MyScrollInfo::get_FristVisiblelPageScrollY(CY* value) {
    return Put(value, ToCy(grid_.FirstVisiblePageScrollY()));
}
HRESULT MyScrollInfo::get_FristPageScrollX(CY* value) {
    return Put(value, ToCy(grid_.FirstPageScrollX()));
}
HRESULT MyScrollInfo::put_FristPageScrollX(CY value) {
    grid_.SetFirstPageScrollX(value.int64);
    return S_OK;
}
HRESULT MyScrollInfo::get_FristPageScrollY(CY* value) {
    return Put(value, ToCy(grid_.FirstPageScrollY()));
}
HRESULT MyScrollInfo::put_FristPageScrollY(CY value) {
    grid_.SetFirstPageScrollY(value.int64);
    return S_OK;
}
HRESULT MyScrollInfo::get_ClientHeight(LONG* value) {
    return Put<LONG>(value, grid_.ClientHeight());
}
HRESULT MyScrollInfo::get_ClientWidth(LONG* value) {
    return Put<LONG>(value, grid_.ClientWidth());
}
HRESULT MyScrollInfo::MousePageY(LONG X, LONG Y, LONG* page) {
    return Put<LONG>(page, grid_.MousePageY(X, Y));
}
HRESULT MyScrollInfo::MousePageX(LONG X, LONG Y, LONG* page) {
    return Put<LONG>(page, grid_.MousePageX(X, Y));
}

// The drawn bars take over the system's as they stand; taking their room off the client area, the
// system's bars tell the window its size, which sets the grid again on the drawn ones.
HRESULT MyScrollInfo::StripsFace::DrawInWindow() {
    const HWND w = owner_.bars_.window;
    if (owner_.drawing_) return S_OK;
    if (!w) return E_FAIL;
    for (bool vertical : {true, false}) {
        SCROLLINFO si{sizeof si, SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        ScrollStrips::Bar& b = owner_.drawn_.Strips().Of(vertical);
        b.Shown = BarShown(w, vertical);
        if (GetScrollInfo(w, Bar(vertical), &si)) {
            b.Page = static_cast<int32_t>(si.nPage);
            b.Position = si.nPos;
        }
    }
    owner_.drawing_ = true;
    owner_.grid_.SetSink(owner_.drawn_);
    if (BarShown(w, true) || BarShown(w, false)) ShowScrollBar(w, SB_BOTH, FALSE);
    return S_OK;
}

HRESULT MyScrollInfo::StripsFace::PaintBars(LONG_PTR dc) {
    if (owner_.drawing_) owner_.drawn_.Paint(reinterpret_cast<HDC>(dc));
    return S_OK;
}

HRESULT MyScrollInfo::StripsFace::BarMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT r = 0;
    const bool taken = owner_.drawing_ && owner_.drawn_.Message(msg, wParam, lParam, r);
    if (result) *result = r;
    return taken ? S_OK : S_FALSE;
}

std::span<const com::Member<MyScrollInfo>> MyScrollInfo::Members() {
    namespace id = dispid::MyScrollInfo;
    using S = MyScrollInfo;
    using A = com::Args;
    static const com::Member<S> table[] = {
        {id::hwnd, L"hwnd", com::kPut,
         [](S& s, A& a, VARIANT*) {
             const bool edit = a.Count() > 0 && !a[0].Missing() && a[0].Bool();
             s.put_hwnd(edit ? VARIANT_TRUE : VARIANT_FALSE, a.Value().Handle());
         }},
        {id::InitPageScrollInfo, L"InitPageScrollInfo", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.grid_.InitPageScrollInfo(a[0].Long(), a[1].Long(), a[2].Long(), a[3].Long()); }},
        {id::PageSpaceY, L"PageSpaceY", com::kGet, [](S& s, A&, VARIANT* r) { com::Return(r, s.grid_.PageSpaceY()); }},
        {id::PageSpaceX, L"PageSpaceX", com::kGet, [](S& s, A&, VARIANT* r) { com::Return(r, s.grid_.PageSpaceX()); }},
        {id::HandleScrollMessage, L"HandleScrollMessage", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.grid_.HandleScrollMessage(a[0].Handle(), a[1].Bool()); }},
        {id::pShowScrollBar, L"pShowScrollBar", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.grid_.ShowScrollBars(a[0].Short()); }},
        {id::OnSizeChanged, L"OnSizeChanged", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.grid_.OnSizeChanged(a[0].Long(), a[1].Long()); }},
        {id::EnsureVisible, L"EnsureVisible", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.grid_.EnsureVisible(CyArg(a[0]), CyArg(a[1]), CyArg(a[2]), CyArg(a[3])); }},
        {id::ScrollByMouseWheel, L"ScrollByMouseWheel", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.grid_.ScrollByMouseWheel(a[0].Bool()); }},
        {id::ScrollByMouseMove, L"ScrollByMouseMove", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.grid_.ScrollByMouseMove(a[0].Single()); }},
        {id::ScrollByPgDw, L"ScrollByPgDw", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.grid_.ScrollByPgDw(a[0].Bool()); }},
        {id::FristVisiblelPageX, L"FristVisiblelPageX", com::kGet,
         [](S& s, A&, VARIANT* r) { com::Return(r, s.grid_.FirstVisiblePageX()); }},
        {id::FristVisiblelPageY, L"FristVisiblelPageY", com::kGet,
         [](S& s, A&, VARIANT* r) { com::Return(r, s.grid_.FirstVisiblePageY()); }},
        {id::SecondVisiblelPageX, L"SecondVisiblelPageX", com::kGet,
         [](S& s, A&, VARIANT* r) { com::Return(r, s.grid_.SecondVisiblePageX()); }},
        {id::SecondVisiblelPageY, L"SecondVisiblelPageY", com::kGet,
         [](S& s, A&, VARIANT* r) { com::Return(r, s.grid_.SecondVisiblePageY()); }},
        {id::FristVisiblelPageScrollX, L"FristVisiblelPageScrollX", com::kGet,
         [](S& s, A&, VARIANT* r) { ReturnCy(r, s.grid_.FirstVisiblePageScrollX()); }},
        {id::FristVisiblelPageScrollY, L"FristVisiblelPageScrollY", com::kGet,
         [](S& s, A&, VARIANT* r) { ReturnCy(r, s.grid_.FirstVisiblePageScrollY()); }},
        {id::FristPageScrollX, L"FristPageScrollX", com::kGet,
         [](S& s, A&, VARIANT* r) { ReturnCy(r, s.grid_.FirstPageScrollX()); }},
        {id::FristPageScrollX, L"FristPageScrollX", com::kPut,
         [](S& s, A& a, VARIANT*) { s.grid_.SetFirstPageScrollX(CyArg(a.Value())); }},
        {id::FristPageScrollY, L"FristPageScrollY", com::kGet,
         [](S& s, A&, VARIANT* r) { ReturnCy(r, s.grid_.FirstPageScrollY()); }},
        {id::FristPageScrollY, L"FristPageScrollY", com::kPut,
         [](S& s, A& a, VARIANT*) { s.grid_.SetFirstPageScrollY(CyArg(a.Value())); }},
        {id::ClientHeight, L"ClientHeight", com::kGet,
         [](S& s, A&, VARIANT* r) { com::Return(r, s.grid_.ClientHeight()); }},
        {id::ClientWidth, L"ClientWidth", com::kGet,
         [](S& s, A&, VARIANT* r) { com::Return(r, s.grid_.ClientWidth()); }},
        {id::MousePageY, L"MousePageY", com::kMethod,
         [](S& s, A& a, VARIANT* r) { com::Return(r, s.grid_.MousePageY(a[0].Long(), a[1].Long())); }},
        {id::MousePageX, L"MousePageX", com::kMethod,
         [](S& s, A& a, VARIANT* r) { com::Return(r, s.grid_.MousePageX(a[0].Long(), a[1].Long())); }},
    };
    return table;
}

}  // namespace tessaly
