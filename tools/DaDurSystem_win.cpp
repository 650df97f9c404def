#include "DaDurSystem_win.h"

#include <windows.h>

#include "Cp936.h"
#include "VbGetWindowsZoom_win.h"
#include "records/Messages.h"

namespace tessaly {

void WindowsDaDurSystem::Progress(intptr_t hwnd, int32_t percent) {
    if (hwnd == 0) return;
    // Sent, not posted: the value lives on this stack only for the call.
    int32_t value = percent;
    SendMessageW(reinterpret_cast<HWND>(hwnd), EM_RunPre, 0, reinterpret_cast<LPARAM>(&value));
}

void WindowsDaDurSystem::Beep() {
    MessageBeep(MB_OK);
}

void WindowsDaDurSystem::Message(intptr_t hwnd, const std::u16string& text) {
    const std::wstring wide(text.begin(), text.end());
    MessageBoxW(reinterpret_cast<HWND>(hwnd), wide.c_str(), L"Tessaly", MB_OK | MB_ICONINFORMATION);
}

std::vector<std::string> WindowsDaDurSystem::InstalledFonts() {
    std::vector<std::string> names;
    HDC screen = GetDC(nullptr);
    if (!screen) return names;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) -> int {
            const std::wstring_view face(font->lfFaceName);
            const std::u16string utf16(face.begin(), face.end());
            // A name with no code page 936 form can match no document font.
            if (auto gbk = Utf16ToCp936(utf16)) reinterpret_cast<std::vector<std::string>*>(param)->push_back(*gbk);
            return 1;
        },
        reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, screen);
    return names;
}

double WindowsDaDurSystem::ZoomFactor() {
    SystemDpiSource source;
    return WindowsZoomPercentage(source, 0) / 100.0;
}

int32_t WindowsDaDurSystem::CurrentDpi() {
    SystemDpiSource source;
    return tessaly::CurrentDpi(source, 0);
}

}  // namespace tessaly
