// Code page 936 through the system's own tables, for the Windows build.
#include <windows.h>

#include <climits>

#include "text/Cp936.h"

namespace tessaly {

namespace {
constexpr UINT kCodePage = 936;
}

std::optional<std::u16string> Cp936ToUtf16(std::string_view gbk) {
    if (gbk.empty()) return std::u16string();
    if (gbk.size() > INT_MAX) return std::nullopt;
    const int inLen = static_cast<int>(gbk.size());
    const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, gbk.data(), inLen, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::u16string text(static_cast<size_t>(n), u'\0');
    if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, gbk.data(), inLen, reinterpret_cast<wchar_t*>(text.data()),
                            n) != n)
        return std::nullopt;
    return text;
}

std::optional<std::string> Utf16ToCp936(std::u16string_view text) {
    if (text.empty()) return std::string();
    if (text.size() > INT_MAX) return std::nullopt;
    const auto* in = reinterpret_cast<const wchar_t*>(text.data());
    const int inLen = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, in, inLen, nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string gbk(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, in, inLen, gbk.data(), n, nullptr, &usedDefault) != n ||
        usedDefault)
        return std::nullopt;
    return gbk;
}

}  // namespace tessaly
