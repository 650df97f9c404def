#include "render/NotationFont_win.h"

#include <windows.h>

#include <string>

namespace notaline {

namespace {

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

bool LoadNotationFont() {
    static const bool loaded = [] {
        const std::wstring file = ProgramFolder() + kNotationFontFile;
        return AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr) > 0;
    }();
    return loaded;
}

}  // namespace notaline
