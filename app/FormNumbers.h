#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number texts of the settings dialogs: tenths shown as "0.0", and texts read as numbers.
namespace tavolin {

// A value in tenths shown in units with one decimal: -25 -> "-2.5", 200 -> "20.0".
std::u16string FormatTenths(int32_t tenths);

// The shortest decimal text that reads back as the same single: 1 -> "1", 1.25 -> "1.25".
std::u16string ShortestText(float value);

// The number at the start of a text (blanks ignored), 0 when there is none.
double ValOf(std::u16string_view text);

// A text typed in units read as tenths, halves to even, held to [low, high].
int32_t TenthsOf(std::u16string_view text, int32_t low, int32_t high);

}  // namespace tavolin
