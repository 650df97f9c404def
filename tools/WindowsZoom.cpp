#include "WindowsZoom.h"

#include "records/Numbers.h"

namespace tessaly {

int32_t ZoomPercentageForDpi(int32_t dpi) {
    const double ratio = Round(dpi / 96.0, 2);
    const int32_t percentage = CLng(ratio * 100);
    return CLng(percentage / 25.0) * 25;
}

int32_t WindowsZoomPercentage(DpiSource& source, intptr_t hwnd) {
    intptr_t window = hwnd;
    if (window == 0) window = source.ActiveWindow();
    if (window == 0) window = source.ForegroundWindow();
    int32_t dpi = 0;
    if (window != 0) dpi = source.DpiForWindow(window).value_or(dpi);
    if (dpi < 1) dpi = source.DpiForSystem().value_or(dpi);
    if (dpi < 1) dpi = source.ScreenLogPixelsX().value_or(dpi);
    if (dpi < 1) dpi = 96;
    return ZoomPercentageForDpi(dpi);
}

int32_t CurrentDpi(DpiSource& source, intptr_t hwnd) {
    const intptr_t window = hwnd != 0 ? hwnd : source.ActiveWindow();
    if (window != 0) {
        const int32_t dpi = source.DpiForWindow(window).value_or(0);
        if (dpi > 0) return dpi;
    }
    return source.ScreenLogPixelsX().value_or(96);
}

}  // namespace tessaly
