#include "DaDurSystem_win.h"

#include <windows.h>

#include "VbGetWindowsZoom_win.h"
#include "records/Dialogs.h"
#include "records/Messages.h"
#include "text/Cp936.h"
#include "win/GdiHandles.h"
#include "win/KernelHandles.h"

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
    MessageBoxW(reinterpret_cast<HWND>(hwnd), wide.c_str(), tessaly::kProgramTitle, MB_OK | MB_ICONINFORMATION);
}

namespace {

// A face name without the ",charset" that substitute entries may carry.
std::wstring FaceOf(std::wstring name) {
    if (const size_t comma = name.find(L','); comma != std::wstring::npos) name.resize(comma);
    return name;
}

// Faces that the system draws with another installed face: GDI finds them by name, though font
// enumeration does not list them (Wine's 宋体, for one).
std::vector<std::wstring> SubstitutedFaces(const std::vector<std::wstring>& installed) {
    std::vector<std::wstring> faces;
    win::RegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", 0,
                      KEY_READ, key.Out()) != ERROR_SUCCESS)
        return faces;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        wchar_t value[256];
        DWORD nameLength = 256;
        DWORD valueBytes = sizeof value;
        DWORD type = 0;
        const LSTATUS s =
            RegEnumValueW(key.Get(), i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(value), &valueBytes);
        if (s == ERROR_NO_MORE_ITEMS) break;
        if (s != ERROR_SUCCESS || type != REG_SZ) continue;
        const std::wstring target = FaceOf(std::wstring(value, wcsnlen(value, valueBytes / sizeof(wchar_t))));
        for (const auto& face : installed) {
            if (CompareStringOrdinal(face.c_str(), -1, target.c_str(), -1, TRUE) == CSTR_EQUAL) {
                faces.push_back(FaceOf(std::wstring(name, nameLength)));
                break;
            }
        }
    }
    return faces;
}

}  // namespace

std::vector<std::string> WindowsDaDurSystem::InstalledFonts() {
    std::vector<std::wstring> faces;
    const win::ScreenDc screenDc;
    const HDC screen = screenDc.Get();
    if (!screen) return {};
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) -> int {
            reinterpret_cast<std::vector<std::wstring>*>(param)->emplace_back(font->lfFaceName);
            return 1;
        },
        reinterpret_cast<LPARAM>(&faces), 0);
    for (auto& face : SubstitutedFaces(faces)) faces.push_back(std::move(face));
    std::vector<std::string> names;
    for (const auto& face : faces) {
        // A name with no code page 936 form can match no document font.
        if (auto gbk = Utf16ToCp936(std::u16string(face.begin(), face.end()))) names.push_back(std::move(*gbk));
    }
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
