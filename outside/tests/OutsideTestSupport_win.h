#pragma once
// What the outside components' tests share: the apartment, calls by member name as a script
// makes them, a visible host window, and captures of a window's pixels.
#include <windows.h>
#include <gtest/gtest.h>
#include <oaidl.h>

#include <memory>
#include <vector>

#include "com/Variant.h"
#include "com/tests/Variants.h"
#include "control/tests/ScreenTestSupport_win.h"

namespace outside::test {

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

// Invokes a member by name with its arguments in declared order, freeing string arguments.
inline HRESULT CallByName(IDispatch* d, const wchar_t* name, WORD kind, std::vector<VARIANT> args,
                          VARIANT* result = nullptr) {
    DISPID id = DISPID_UNKNOWN, put = DISPID_PROPERTYPUT;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    HRESULT hr = d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id);
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    const com::Variants owned(std::move(args));
    DISPPARAMS p{reversed.data(), &put, UINT(reversed.size()), kind == DISPATCH_PROPERTYPUT ? 1u : 0u};
    if (SUCCEEDED(hr)) hr = d->Invoke(id, IID_NULL, 0, kind, &p, result, nullptr, nullptr);
    return hr;
}

using Window = std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)>;
inline Window HostWindow(int width, int height) {
    return {CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width, height,
                            nullptr, nullptr, nullptr, nullptr),
            &DestroyWindow};
}

// The client pixels as 0xRRGGBB, row by row, also saved as a PNG for a person to look at.
inline std::vector<uint32_t> Capture(HWND hwnd, int& w, int& h, const wchar_t* png) {
    RECT r{};
    GetClientRect(hwnd, &r);
    w = r.right, h = r.bottom;
    const std::vector<uint32_t> px = win::test::PixelsOf(win::test::CopyOf(win::WindowDc(hwnd).Get(), r).Get(), w, h);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    if (win::InitGDIPlus(false, L"", 0, L"") == Gdiplus::Ok) {
        notaline::test::SaveScreenPng(r, png);
        win::TerminateGDIPlus();
    }
    return px;
}

}  // namespace outside::test
