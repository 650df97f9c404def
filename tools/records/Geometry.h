#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace tessaly {

struct SIZEF {
    float cx = 0;
    float cy = 0;
};

struct size {
    int32_t cx = 0;
    int32_t cy = 0;
};

struct RECT {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

struct PointAPI {
    int32_t X = 0;
    int32_t Y = 0;
};

struct aPosXy {
    float X = 0;
    float Y = 0;
    float H = 0;
    float W = 0;
};

// These records cross processes and files as raw bytes: their layout is fixed.
static_assert(sizeof(SIZEF) == 8 && offsetof(SIZEF, cx) == 0 && offsetof(SIZEF, cy) == 4);
static_assert(sizeof(size) == 8 && offsetof(size, cx) == 0 && offsetof(size, cy) == 4);
static_assert(sizeof(RECT) == 16);
static_assert(offsetof(RECT, Left) == 0 && offsetof(RECT, Top) == 4);
static_assert(offsetof(RECT, Right) == 8 && offsetof(RECT, Bottom) == 12);
static_assert(sizeof(PointAPI) == 8 && offsetof(PointAPI, X) == 0 && offsetof(PointAPI, Y) == 4);
static_assert(sizeof(aPosXy) == 16);
static_assert(offsetof(aPosXy, X) == 0 && offsetof(aPosXy, Y) == 4);
static_assert(offsetof(aPosXy, H) == 8 && offsetof(aPosXy, W) == 12);
static_assert(std::is_trivially_copyable_v<RECT> && std::is_standard_layout_v<RECT>);

}  // namespace tessaly
