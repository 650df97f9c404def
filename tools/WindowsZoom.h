#pragma once
#include <cstdint>
#include <optional>

namespace tessaly {

// What the DPI query asks of the window system. Each call answers nothing
// when the system lacks it or it fails, so older systems fall back.
class DpiSource {
public:
    virtual ~DpiSource() = default;
    virtual intptr_t ActiveWindow() = 0;
    virtual intptr_t ForegroundWindow() = 0;
    virtual std::optional<int32_t> DpiForWindow(intptr_t window) = 0;
    virtual std::optional<int32_t> DpiForSystem() = 0;
    virtual std::optional<int32_t> ScreenLogPixelsX() = 0;
};

// Zoom in per cent, rounded to a multiple of 25.
int32_t WindowsZoomPercentage(DpiSource& source, intptr_t hwnd);
// The DPI of a window, unrounded.
int32_t CurrentDpi(DpiSource& source, intptr_t hwnd);
// The percentage for a DPI: DPI/96 to two decimals, then to the nearest 25.
int32_t ZoomPercentageForDpi(int32_t dpi);

}  // namespace tessaly
