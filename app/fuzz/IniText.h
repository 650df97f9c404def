#pragma once
// A settings file's bytes (code page 936) as the fuzz targets see them: sections of key=value
// lines, read the way the system's INI reader finds them (first match wins, names ignore case).
#include <cstddef>
#include <cstdint>
#include <cwctype>
#include <map>
#include <string>
#include <string_view>

#include "text/Cp936.h"

namespace fuzz {

inline void Check(bool condition) {
    if (!condition) __builtin_trap();
}

inline std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return s;
}

inline std::wstring Trim(std::wstring_view s) {
    const auto first = s.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return std::wstring(s.substr(first, s.find_last_not_of(L" \t") - first + 1));
}

class IniText {
public:
    IniText(const uint8_t* data, size_t size) {
        const auto text = tessaly::Cp936ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
        if (!text) return;
        const std::wstring all = Wide(*text);
        std::wstring section;
        for (size_t at = 0; at <= all.size();) {
            size_t end = all.find_first_of(L"\r\n", at);
            if (end == std::wstring::npos) end = all.size();
            const std::wstring line = Trim(std::wstring_view(all).substr(at, end - at));
            at = end + 1;
            if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
                section = Lower(line.substr(1, line.size() - 2));
            } else if (const auto eq = line.find(L'='); eq != std::wstring::npos) {
                values_.emplace(section + L'\n' + Lower(Trim(line.substr(0, eq))), Trim(line.substr(eq + 1)));
            }
        }
    }
    std::wstring Get(const std::wstring& section, const std::wstring& key) const {
        const auto it = values_.find(Lower(section) + L'\n' + Lower(key));
        return it == values_.end() ? std::wstring() : it->second;
    }
    const std::multimap<std::wstring, std::wstring>& All() const { return values_; }

private:
    std::multimap<std::wstring, std::wstring> values_;  // "section\nkey" -> value
};

}  // namespace fuzz
