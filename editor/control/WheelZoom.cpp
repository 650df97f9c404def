#include "control/WheelZoom.h"

#include <cmath>

namespace notaline {

WheelZoom::Result WheelZoom::Wheel(int32_t delta, uint64_t tickMs, float& scale) {
    Result r;
    if (last_ && tickMs - *last_ < kIntervalMs) return r;
    last_ = tickMs;
    if (delta != 120 && delta != -120) return r;
    // Each step lands on the hundredth it names, so that steps in and out do not drift (1 stays 1,
    // not 0.99999); the limits are tested on that stored single: 2.45 + 0.05 lands on 2.5.
    const double stepped = static_cast<double>(scale) + (delta > 0 ? kStep : -kStep);
    const auto next = static_cast<float>(std::round(stepped * 100) / 100);
    if (delta > 0 && next >= kMax) {
        scale = kMax;
        r.Beep = true;
    } else if (delta < 0 && next <= kMin) {
        scale = kMin;
        r.Beep = true;
    } else {
        scale = next;
    }
    r.Zoomed = true;
    return r;
}

}  // namespace notaline
