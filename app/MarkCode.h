#pragma once

#include <cstdint>
#include <string_view>

#include "records/Marks.h"

namespace tavolin {

// A mark's 16-bit code by its name, for the panel's tables; a name the mark table lacks stops the build.
consteval int16_t Mark(std::string_view name) {
    return static_cast<int16_t>(tessaly::marks::MarkCodeOf(name));
}

}  // namespace tavolin
