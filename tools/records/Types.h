#pragma once

#include <cstdint>

namespace tessaly {

// 16-bit truth value of the shared records and interfaces: 0 false, -1 (all bits) true.
using Boolean = int16_t;
inline constexpr Boolean kTrue = -1;
inline constexpr Boolean kFalse = 0;

}  // namespace tessaly
