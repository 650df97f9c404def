#include <windows.h>
#include <gtest/gtest.h>

#include "api/IMyScrollInfo.h"
#include "com/ComPtr.h"
#include "com/Create.h"

namespace {

// A top-level window with both scroll bars and a client area of 300 x 300.
class ScrolledWindow {
public:
    ScrolledWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ScrollInfoTestWindow";
        RegisterClassW(&wc);
        const DWORD style = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL;
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"翻页", style, 0, 0, 400, 400, nullptr, nullptr, wc.hInstance,
                               nullptr);
        // Bars take client room; size the window so that the client is 300 x 300 with no bars shown.
        ShowScrollBar(hwnd, SB_BOTH, FALSE);
        RECT r{0, 0, 300, 300};
        AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    }
    ~ScrolledWindow() { DestroyWindow(hwnd); }
    ScrolledWindow(const ScrolledWindow&) = delete;
    ScrolledWindow& operator=(const ScrolledWindow&) = delete;

    SCROLLINFO Bar(int bar) const {
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(hwnd, bar, &si);
        return si;
    }
    bool Shown(DWORD barStyle) const { return (GetWindowLongW(hwnd, GWL_STYLE) & barStyle) != 0; }

    HWND hwnd = nullptr;
};

DISPID IdOf(IDispatch* d, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    EXPECT_EQ(S_OK, d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id)) << "no member";
    return id;
}

HRESULT Put(IDispatch* d, const wchar_t* name, std::vector<VARIANT> args) {
    std::vector<VARIANT> rev(args.rbegin(), args.rend());  // the new value last in order, first in rgvarg
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS p{rev.data(), &named, static_cast<UINT>(rev.size()), 1};
    return d->Invoke(IdOf(d, name), IID_NULL, 0, DISPATCH_PROPERTYPUT, &p, nullptr, nullptr, nullptr);
}

VARIANT Get(IDispatch* d, const wchar_t* name, std::vector<VARIANT> args = {}, WORD kind = DISPATCH_PROPERTYGET) {
    std::vector<VARIANT> rev(args.rbegin(), args.rend());
    DISPPARAMS p{rev.data(), nullptr, static_cast<UINT>(rev.size()), 0};
    VARIANT r;
    VariantInit(&r);
    EXPECT_EQ(S_OK, d->Invoke(IdOf(d, name), IID_NULL, 0, kind, &p, &r, nullptr, nullptr));
    return r;
}

VARIANT Long(LONG v) {
    VARIANT x;
    V_VT(&x) = VT_I4;
    V_I4(&x) = v;
    return x;
}
VARIANT Bool(bool v) {
    VARIANT x;
    V_VT(&x) = VT_BOOL;
    V_BOOL(&x) = v ? VARIANT_TRUE : VARIANT_FALSE;
    return x;
}
VARIANT Cy(LONGLONG tenThousandths) {
    VARIANT x;
    V_VT(&x) = VT_CY;
    V_CY(&x).int64 = tenThousandths;
    return x;
}

TEST(MyScrollInfo, DrivesTheScrollBarsOfARealWindow) {
    ScrolledWindow w;
    ASSERT_TRUE(w.hwnd);
    auto s = com::CreateFromDll<IMyScrollInfo>(L"Tessaly.dll", CLSID_MyScrollInfo);
    ASSERT_TRUE(s);
    ASSERT_EQ(S_OK, s->put_hwnd(VARIANT_FALSE, reinterpret_cast<LONG_PTR>(w.hwnd)));
    ASSERT_EQ(S_OK, s->InitPageScrollInfo(100, 100, 1, 10));  // grid 120 x 1110
    LONG v = 0;
    s->get_ClientHeight(&v);
    EXPECT_EQ(300, v);
    s->get_PageSpaceY(&v);
    EXPECT_EQ(10, v);
    EXPECT_TRUE(w.Shown(WS_VSCROLL));
    EXPECT_FALSE(w.Shown(WS_HSCROLL));
    SCROLLINFO si = w.Bar(SB_VERT);
    EXPECT_EQ(0, si.nMin);
    EXPECT_EQ(32767, si.nMax);
    EXPECT_EQ(8856u, si.nPage);

    ASSERT_EQ(S_OK, s->HandleScrollMessage(SB_PAGEDOWN, VARIANT_TRUE));
    EXPECT_EQ(8856, w.Bar(SB_VERT).nPos);
    CY cy{};
    s->get_FristPageScrollY(&cy);
    EXPECT_EQ(-300 * 10000LL, cy.int64);
    s->get_FristVisiblelPageScrollY(&cy);
    EXPECT_EQ((220 - 300) * 10000LL, cy.int64);
    s->get_FristVisiblelPageY(&v);
    EXPECT_EQ(2, v);
    s->MousePageY(0, 5, &v);
    EXPECT_EQ(2, v);

    s->HandleScrollMessage(SB_BOTTOM, VARIANT_TRUE);
    EXPECT_EQ(32767 - 8856, w.Bar(SB_VERT).nPos);  // 810 * 32767 / 1110 = 23911.0
    s->get_SecondVisiblelPageY(&v);
    EXPECT_EQ(8, v);

    // A shrinking document pulls the view back into the grid and hides the bar it no longer needs.
    s->InitPageScrollInfo(-1, -1, -1, 2);
    s->get_FristPageScrollY(&cy);
    EXPECT_EQ(0, cy.int64);
    EXPECT_FALSE(w.Shown(WS_VSCROLL));

    s->pShowScrollBar(4);
    EXPECT_TRUE(w.Shown(WS_VSCROLL));
    EXPECT_TRUE(w.Shown(WS_HSCROLL));
    s->pShowScrollBar(1);
    EXPECT_FALSE(w.Shown(WS_VSCROLL));
    EXPECT_FALSE(w.Shown(WS_HSCROLL));
}

// The grid is set again after every edit and unchanged bars are then left alone: they keep their
// values, a hidden bar stays hidden, and a bar that must change still does.
TEST(MyScrollInfo, SettingTheGridAgainKeepsTheBarsAndAChangeStillApplies) {
    ScrolledWindow w;
    auto s = com::CreateFromDll<IMyScrollInfo>(L"Tessaly.dll", CLSID_MyScrollInfo);
    ASSERT_TRUE(s);
    s->put_hwnd(VARIANT_FALSE, reinterpret_cast<LONG_PTR>(w.hwnd));
    s->InitPageScrollInfo(100, 100, 1, 10);
    s->HandleScrollMessage(SB_PAGEDOWN, VARIANT_TRUE);
    for (int i = 0; i < 3; ++i) s->InitPageScrollInfo(-1, -1, 1, 10);
    EXPECT_EQ(8856u, w.Bar(SB_VERT).nPage);
    EXPECT_EQ(8856, w.Bar(SB_VERT).nPos);
    EXPECT_TRUE(w.Shown(WS_VSCROLL));
    EXPECT_FALSE(w.Shown(WS_HSCROLL));

    s->InitPageScrollInfo(-1, -1, 1, 20);  // grid 120 x 2210
    EXPECT_EQ(4448u, w.Bar(SB_VERT).nPage);
    EXPECT_EQ(4448, w.Bar(SB_VERT).nPos);
    s->InitPageScrollInfo(300, -1, 1, 20);  // wider than the client: the other bar comes
    EXPECT_TRUE(w.Shown(WS_HSCROLL));
    s->InitPageScrollInfo(100, -1, 1, 1);
    EXPECT_FALSE(w.Shown(WS_VSCROLL));
    EXPECT_FALSE(w.Shown(WS_HSCROLL));
}

TEST(MyScrollInfo, MembersByDispatchInInterfaceOrder) {
    ScrolledWindow w;
    auto s = com::CreateFromDll<IMyScrollInfo>(L"Tessaly.dll", CLSID_MyScrollInfo);
    ASSERT_TRUE(s);
    const wchar_t* order[] = {L"hwnd",
                              L"InitPageScrollInfo",
                              L"PageSpaceY",
                              L"PageSpaceX",
                              L"HandleScrollMessage",
                              L"pShowScrollBar",
                              L"OnSizeChanged",
                              L"EnsureVisible",
                              L"ScrollByMouseWheel",
                              L"ScrollByMouseMove",
                              L"ScrollByPgDw",
                              L"FristVisiblelPageX",
                              L"FristVisiblelPageY",
                              L"SecondVisiblelPageX",
                              L"SecondVisiblelPageY",
                              L"FristVisiblelPageScrollX",
                              L"FristVisiblelPageScrollY",
                              L"FristPageScrollX",
                              L"FristPageScrollY",
                              L"ClientHeight",
                              L"ClientWidth",
                              L"MousePageY",
                              L"MousePageX"};
    for (DISPID i = 0; i < DISPID(std::size(order)); ++i) EXPECT_EQ(i + 1, IdOf(s.Get(), order[i])) << i;

    // The editor's page view: the gap centres the page in a wider window.
    VARIANT handle;
    V_VT(&handle) = VT_I8;
    V_I8(&handle) = reinterpret_cast<LONG_PTR>(w.hwnd);
    ASSERT_EQ(S_OK, Put(s.Get(), L"hwnd", {Bool(true), handle}));
    VARIANT r = Get(s.Get(), L"InitPageScrollInfo", {Long(200), Long(400), Long(1), Long(3)}, DISPATCH_METHOD);
    r = Get(s.Get(), L"PageSpaceX");
    EXPECT_EQ(50, V_I4(&r));  // (300 - 200) / 2
    r = Get(s.Get(), L"PageSpaceY");
    EXPECT_EQ(40, V_I4(&r));

    ASSERT_EQ(S_OK, Put(s.Get(), L"FristPageScrollY", {Cy(500 * 10000LL)}));
    r = Get(s.Get(), L"FristPageScrollY");
    ASSERT_EQ(VT_CY, V_VT(&r));
    EXPECT_EQ(-500 * 10000LL, V_CY(&r).int64);
    r = Get(s.Get(), L"MousePageY", {Long(10), Long(0)}, DISPATCH_METHOD);
    EXPECT_EQ(1, V_I4(&r));  // 500 / 440

    Get(s.Get(), L"EnsureVisible", {Cy(0), Cy(1000 * 10000LL), Cy(100 * 10000LL), Cy(1100 * 10000LL)}, DISPATCH_METHOD);
    r = Get(s.Get(), L"FristPageScrollY");
    EXPECT_EQ(-900 * 10000LL, V_CY(&r).int64);  // centred: 1000 - (300 - 100) / 2
    VARIANT f;
    V_VT(&f) = VT_R4;
    V_R4(&f) = -0.5f;
    Get(s.Get(), L"ScrollByMouseMove", {f}, DISPATCH_METHOD);
    r = Get(s.Get(), L"FristPageScrollY");
    EXPECT_EQ(-8995000LL, V_CY(&r).int64);
    Get(s.Get(), L"OnSizeChanged", {Long(300), Long(2000)}, DISPATCH_METHOD);
    r = Get(s.Get(), L"FristPageScrollY");
    EXPECT_EQ(0, V_CY(&r).int64);  // the grid (1360 high) now fits
    r = Get(s.Get(), L"ClientHeight");
    EXPECT_EQ(2000, V_I4(&r));
}

}  // namespace
