#include "FormNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "records/Numbers.h"

namespace tavolin {

std::u16string FormatTenths(int32_t tenths) {
    const long long magnitude = std::llabs(tenths);
    char text[24];
    const int n =
        std::snprintf(text, sizeof text, "%s%lld.%lld", tenths < 0 ? "-" : "", magnitude / 10, magnitude % 10);
    return std::u16string(text, text + n);
}

std::u16string ShortestText(float value) {
    char buffer[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(buffer, nullptr) == value || !std::isfinite(value)) break;
    }
    const std::string text = buffer;
    return std::u16string(text.begin(), text.end());
}

double ValOf(std::u16string_view text) {
    // Only ASCII can be part of a number; anything else ends it.
    std::string narrow;
    for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '\x01';
    return tessaly::Val(narrow);
}

int32_t TenthsOf(std::u16string_view text, int32_t low, int32_t high) {
    const double tenths = tessaly::RoundHalfEven(ValOf(text) * 10);
    if (std::isnan(tenths)) return low;
    return static_cast<int32_t>(std::clamp<double>(tenths, low, high));
}

}  // namespace tavolin
