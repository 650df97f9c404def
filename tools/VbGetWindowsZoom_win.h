#pragma once
#include "WindowsZoom.h"
#include "api/IVbGetWindowsZoom.h"
#include "com/Object.h"

namespace tessaly {

// The DPI questions answered by the running system; functions that an older
// system lacks are looked up at run time.
class SystemDpiSource final : public DpiSource {
public:
    intptr_t ActiveWindow() override;
    intptr_t ForegroundWindow() override;
    std::optional<int32_t> DpiForWindow(intptr_t window) override;
    std::optional<int32_t> DpiForSystem() override;
    std::optional<int32_t> ScreenLogPixelsX() override;
};

class VbGetWindowsZoom final : public com::DispatchObject<VbGetWindowsZoom, IVbGetWindowsZoom> {
public:
    static std::span<const com::Member<VbGetWindowsZoom>> Members();

    HRESULT STDMETHODCALLTYPE GetWindowsZoomPercentage(LONG_PTR hwnd, LONG* percentage) override;
    HRESULT STDMETHODCALLTYPE GetWindowsZoomFactor(double* factor) override;
    HRESULT STDMETHODCALLTYPE GetCurrentDpi(LONG_PTR hwnd, LONG* dpi) override;
};

}  // namespace tessaly
