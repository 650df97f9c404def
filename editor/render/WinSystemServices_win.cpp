#include "render/WinSystemServices_win.h"

#include <windows.h>
// After windows.h.
#include <olectl.h>

namespace notaline {

void WinSystemServices::Beep() {
    MessageBeep(MB_OK);
}

bool WinSystemServices::IsKeyDown(int32_t virtualKey) {
    return GetAsyncKeyState(virtualKey) < 0;
}

uint32_t WinSystemServices::TranslateColor(uint32_t oleColour) {
    COLORREF c = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(oleColour), nullptr, &c))) return oleColour;
    return c;
}

}  // namespace notaline
