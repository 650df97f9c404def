#pragma once
#include <windows.h>
#include <oaidl.h>

// Screen DPI and desktop zoom. Stateless; callers create one per use.
struct IVbGetWindowsZoom : IDispatch {
    // hwnd 0 asks about the active (or else the foreground) window.
    virtual HRESULT STDMETHODCALLTYPE GetWindowsZoomPercentage(LONG_PTR hwnd, LONG* percentage) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWindowsZoomFactor(double* factor) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentDpi(LONG_PTR hwnd, LONG* dpi) = 0;
};
__CRT_UUID_DECL(IVbGetWindowsZoom, 0x62b82164, 0x6377, 0x4f02, 0x92, 0x64, 0x59, 0xeb, 0x68, 0x18, 0x48, 0x16)

inline constexpr CLSID CLSID_VbGetWindowsZoom = {
    0xefb0e258, 0xa378, 0x4fba, {0xac, 0x77, 0x19, 0xcc, 0x9d, 0xe2, 0x9e, 0xe7}};

namespace dispid::VbGetWindowsZoom {
enum : DISPID { GetWindowsZoomPercentage = 1, GetWindowsZoomFactor = 2, GetCurrentDpi = 3 };
}
