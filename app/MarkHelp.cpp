#include "MarkHelp.h"

#include "MarkList.h"

namespace tavolin {

std::u16string HelpKey(std::u16string_view entry) {
    if (entry.find(kArcStartName) != std::u16string_view::npos) return std::u16string(kArcStartName);
    if (entry.find(kArcEndName) != std::u16string_view::npos) return std::u16string(kArcEndName);
    const std::u16string_view blanks(u" \0", 2);
    const size_t first = entry.find_first_not_of(blanks);
    if (first == std::u16string_view::npos) return {};
    return std::u16string(entry.substr(first, entry.find_last_not_of(blanks) - first + 1));
}

std::u16string HelpText(std::u16string_view text) {
    std::u16string out;
    size_t bytes = 0;
    for (size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size();
        const size_t units = pair ? 2 : 1;
        const size_t size = c < 0x80 ? 1 : pair ? 4 : 2;
        if (bytes + size > kHelpTextBytes) break;
        bytes += size;
        if (c == u'\r' || c == u'\n')
            out += u' ';
        else
            out.append(text.substr(i, units));
        i += units;
    }
    return out;
}

}  // namespace tavolin
