#include "control/WheelZoom.h"

namespace notaline {

WheelZoom::Result WheelZoom::Wheel(int32_t delta, uint64_t tickMs, float& scale) {
    Result r;
    if (last_ && tickMs - *last_ < kIntervalMs) return r;
    last_ = tickMs;
    if (delta != 120 && delta != -120) return r;
    // The limits are tested on the stored single-precision value: 2.45 + 0.05 lands on 2.5.
    const auto next = static_cast<float>(static_cast<double>(scale) + (delta > 0 ? kStep : -kStep));
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
