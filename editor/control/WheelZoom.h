#pragma once

#include <cstdint>
#include <optional>

#include "records/PageRules.h"

namespace notaline {

// Ctrl+wheel zoom: one step of 0.05 per notch, between 0.5 and 2.5, at most one step in 0.4
// seconds. Times come from a monotonic millisecond tick, so the throttle holds across midnight.
class WheelZoom {
public:
    static constexpr uint64_t kIntervalMs = 400;
    static constexpr float kStep = 0.05f;
    static constexpr float kMin = 0.5f;
    static constexpr float kMax = tessaly::kMaxWheelZoom;

    struct Result {
        bool Zoomed = false;  // the scale took a step (perhaps onto a limit)
        bool Beep = false;    // the step reached a limit
    };
    // A wheel message with Ctrl alone. Only +120 and -120 step; any delta that passes the
    // throttle restarts it.
    Result Wheel(int32_t delta, uint64_t tickMs, float& scale);

private:
    std::optional<uint64_t> last_;
};

}  // namespace notaline
