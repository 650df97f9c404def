#pragma once

#include <string>
#include <string_view>

// The one-line help texts of the marks, kept in jpHlpInfo.ini under the marks' names.
namespace tavolin {

inline constexpr wchar_t kHelpFile[] = L"jpHlpInfo.ini";
inline constexpr wchar_t kHelpSection[] = L"说明";
inline constexpr size_t kHelpTextBytes = 254;  // in code page 936

// The key of a list entry: numbered arc entries share the arc's key; surrounding blanks dropped.
std::u16string HelpKey(std::u16string_view entry);

// A text as it is kept: line breaks become blanks, and it is cut at a character boundary to
// what fits in kHelpTextBytes.
std::u16string HelpText(std::u16string_view text);

}  // namespace tavolin
