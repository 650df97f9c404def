#pragma once
// What the outside components' tests share: the apartment, calls by member name as a script
// makes them, a visible host window, and captures of a window's pixels.
#include <gtest/gtest.h>
#include <oaidl.h>
#include <windows.h>

#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "com/tests/Variants.h"
#include "control/tests/ScreenTestSupport_win.h"
#include "render/Gdip_win.h"

namespace outside::test {

// COM on the test thread, for the whole program.
struct ComApartment : ::testing::Environment {
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

inline VARIANT Handle(HWND hwnd) {
    VARIANT v;
    V_VT(&v) = VT_I8;
    V_I8(&v) = reinterpret_cast<intptr_t>(hwnd);
    return v;
}

// Invokes a member by name, its arguments in declared order (string arguments are freed); the
// result, or VT_EMPTY with hr set.
inline VARIANT CallByName(IDispatch* d, const wchar_t* name, WORD kind, std::vector<VARIANT> args,
                          HRESULT* hr = nullptr) {
    VARIANT result;
    VariantInit(&result);
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    HRESULT r = d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id);
    if (SUCCEEDED(r)) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS p{reversed.data(), nullptr, UINT(reversed.size()), 0};
        if (kind == DISPATCH_PROPERTYPUT) p = {reversed.data(), &put, UINT(reversed.size()), 1};
        r = d->Invoke(id, IID_NULL, 0, kind, &p, &result, nullptr, nullptr);
    }
    for (auto& a : args)
        if (V_VT(&a) == VT_BSTR) VariantClear(&a);
    if (hr)
        *hr = r;
    else
        EXPECT_EQ(S_OK, r) << "calling " << std::string(name, name + wcslen(name));
    return result;
}

// A visible top-level window to stand controls in, destroyed with the scope.
class HostWindow {
public:
    HostWindow(int width, int height) {
        hwnd_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width, height,
                                nullptr, nullptr, nullptr, nullptr);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow() { DestroyWindow(hwnd_); }
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// The window's client pixels as 0xRRGGBB, row by row; saved as PNG under the test folder when
// a name is given, for a person to look at.
inline std::vector<uint32_t> Capture(HWND hwnd, int& w, int& h, const wchar_t* png = nullptr) {
    RECT r{};
    GetClientRect(hwnd, &r);
    w = r.right, h = r.bottom;
    HDC screen = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    std::vector<uint32_t> px(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + size_t(w) * h);
    for (auto& p : px) p &= 0xFFFFFF;
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(hwnd, screen);
    if (png && notaline::InitGDIPlus(false, L"", 0, L"") == Gdiplus::Ok) {
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        notaline::test::SaveScreenPng(r, png);
        notaline::TerminateGDIPlus();
    }
    return px;
}

}  // namespace outside::test
