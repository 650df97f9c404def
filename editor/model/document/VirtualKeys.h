#pragma once

#include <cstdint>

namespace notaline {

// The window system's virtual-key codes the model reads; the model includes no platform header.
inline constexpr int32_t kVkLButton = 0x01;
inline constexpr int32_t kVkRButton = 0x02;
inline constexpr int32_t kVkMButton = 0x04;
inline constexpr int32_t kVkTab = 0x09;
inline constexpr int32_t kVkShift = 0x10;
inline constexpr int32_t kVkControl = 0x11;
inline constexpr int32_t kVkMenu = 0x12;
inline constexpr int32_t kVkPrior = 0x21;
inline constexpr int32_t kVkNext = 0x22;
inline constexpr int32_t kVkEnd = 0x23;
inline constexpr int32_t kVkHome = 0x24;
inline constexpr int32_t kVkLeft = 0x25;
inline constexpr int32_t kVkUp = 0x26;
inline constexpr int32_t kVkRight = 0x27;
inline constexpr int32_t kVkDown = 0x28;

}  // namespace notaline
