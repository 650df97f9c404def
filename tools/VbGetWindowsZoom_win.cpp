#include "VbGetWindowsZoom_win.h"

#include "win/GdiHandles.h"

namespace tessaly {
namespace {

template <class F>
F UserFunction(const char* name) {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}

}  // namespace

intptr_t SystemDpiSource::ActiveWindow() {
    return reinterpret_cast<intptr_t>(GetActiveWindow());
}

intptr_t SystemDpiSource::ForegroundWindow() {
    return reinterpret_cast<intptr_t>(GetForegroundWindow());
}

std::optional<int32_t> SystemDpiSource::DpiForWindow(intptr_t window) {
    static const auto get = UserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (!get) return std::nullopt;
    return static_cast<int32_t>(get(reinterpret_cast<HWND>(window)));
}

std::optional<int32_t> SystemDpiSource::DpiForSystem() {
    static const auto get = UserFunction<UINT(WINAPI*)()>("GetDpiForSystem");
    if (!get) return std::nullopt;
    return static_cast<int32_t>(get());
}

std::optional<int32_t> SystemDpiSource::ScreenLogPixelsX() {
    const win::ScreenDc screen;
    if (!screen.Get()) return std::nullopt;
    return GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

HRESULT VbGetWindowsZoom::GetWindowsZoomPercentage(LONG_PTR hwnd, LONG* percentage) {
    if (!percentage) return E_POINTER;
    SystemDpiSource source;
    *percentage = WindowsZoomPercentage(source, hwnd);
    return S_OK;
}

HRESULT VbGetWindowsZoom::GetWindowsZoomFactor(double* factor) {
    if (!factor) return E_POINTER;
    SystemDpiSource source;
    *factor = WindowsZoomPercentage(source, 0) / 100.0;
    return S_OK;
}

HRESULT VbGetWindowsZoom::GetCurrentDpi(LONG_PTR hwnd, LONG* dpi) {
    if (!dpi) return E_POINTER;
    SystemDpiSource source;
    *dpi = CurrentDpi(source, hwnd);
    return S_OK;
}

std::span<const com::Member<VbGetWindowsZoom>> VbGetWindowsZoom::Members() {
    namespace id = dispid::VbGetWindowsZoom;
    static const com::Member<VbGetWindowsZoom> table[] = {
        {id::GetWindowsZoomPercentage, L"GetWindowsZoomPercentage", com::kMethod,
         [](VbGetWindowsZoom& s, com::Args& a, VARIANT* r) {
             LONG v = 0;
             s.GetWindowsZoomPercentage(a.Count() > 0 ? a[0].Handle() : 0, &v);
             com::Return(r, v);
         }},
        {id::GetWindowsZoomFactor, L"GetWindowsZoomFactor", com::kMethod,
         [](VbGetWindowsZoom& s, com::Args&, VARIANT* r) {
             double v = 0;
             s.GetWindowsZoomFactor(&v);
             com::Return(r, v);
         }},
        {id::GetCurrentDpi, L"GetCurrentDpi", com::kMethod,
         [](VbGetWindowsZoom& s, com::Args& a, VARIANT* r) {
             LONG v = 0;
             s.GetCurrentDpi(a.Count() > 0 ? a[0].Handle() : 0, &v);
             com::Return(r, v);
         }},
    };
    return table;
}

}  // namespace tessaly
