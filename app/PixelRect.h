#pragma once
// A rectangle in pixels without any window: right and bottom outside it, as a RECT has them.

namespace tavolin {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

}  // namespace tavolin
