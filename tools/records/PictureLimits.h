#pragma once
#include <cstdint>

namespace tessaly {

// The largest picture any part of the system makes or decodes: 16384 pixels a side, 32 million
// pixels in all, so a damaged or hostile size asks for no more than 128 MB of 32-bit pixels.
inline constexpr int32_t kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = int64_t{32} << 20;

inline bool PictureFits(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

}  // namespace tessaly
