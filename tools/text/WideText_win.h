#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace tessaly {

// wchar_t is UTF-16 on Windows: the portable core's u16string crosses by copy.
inline std::u16string ToU16(std::wstring_view s) {
    return std::u16string(s.begin(), s.end());
}
inline std::wstring ToWide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}
// A null BSTR or pointer is the empty string.
inline std::wstring_view Text(const wchar_t* s) {
    return s ? std::wstring_view(s) : std::wstring_view();
}

inline BSTR AllocBstr(std::wstring_view s) {
    return SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
}

}  // namespace tessaly
