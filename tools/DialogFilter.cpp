#include "DialogFilter.h"

#include <vector>

namespace tessaly {

std::u16string DialogFilter(std::u16string_view filter) {
    std::u16string out(filter);
    for (char16_t& c : out)
        if (c == u'|' || c == u':') c = u'\0';
    out.append(2, u'\0');
    return out;
}

std::u16string ChosenFilterPair(std::u16string_view converted, int32_t index) {
    // Only the separators of the caller's text count, not the two closing NULs.
    if (converted.size() >= 2 && converted.substr(converted.size() - 2) == std::u16string_view(u"\0\0", 2))
        converted.remove_suffix(2);
    if (index < 1 || converted.find(u'\0') == std::u16string_view::npos) return {};
    std::vector<size_t> starts{0};
    for (size_t i = 0; i < converted.size(); ++i)
        if (converted[i] == u'\0') starts.push_back(i + 1);
    const size_t first = (size_t(index) - 1) * 2;
    if (first + 1 >= starts.size()) return {};
    const size_t end = first + 2 < starts.size() ? starts[first + 2] - 1 : converted.size();
    return std::u16string(converted.substr(starts[first], end - starts[first]));
}

}  // namespace tessaly
