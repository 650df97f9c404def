#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

// "All (*.*)| *.*" as the file dialogs want it: every "|" and ":" becomes a NUL,
// and two NULs close the list.
std::u16string DialogFilter(std::u16string_view filter);

// The description, a NUL and the pattern of pair number index (from 1) of a converted filter;
// empty when the filter has no separator or no such pair.
std::u16string ChosenFilterPair(std::u16string_view converted, int32_t index);

}  // namespace tessaly
