#include <gtest/gtest.h>

#include "control/WheelZoom.h"

namespace notaline {
namespace {

TEST(WheelZoom, OneNotchStepsOnceInsideTheInterval) {
    WheelZoom zoom;
    float scale = 1.0f;
    EXPECT_TRUE(zoom.Wheel(120, 10'000, scale).Zoomed);
    EXPECT_FLOAT_EQ(1.05f, scale);
    EXPECT_FALSE(zoom.Wheel(120, 10'399, scale).Zoomed);  // inside 0.4 s of the accepted step
    EXPECT_FLOAT_EQ(1.05f, scale);
    EXPECT_TRUE(zoom.Wheel(-120, 10'400, scale).Zoomed);
    EXPECT_FLOAT_EQ(1.0f, scale);
}

TEST(WheelZoom, ThrottleHoldsAcrossWhatWasMidnight) {
    // A tick just below a day's worth of milliseconds and one just above it are 200 ms apart.
    WheelZoom zoom;
    float scale = 1.0f;
    constexpr uint64_t kDay = 86'400'000;
    EXPECT_TRUE(zoom.Wheel(120, kDay - 100, scale).Zoomed);
    EXPECT_FALSE(zoom.Wheel(120, kDay + 100, scale).Zoomed);
    EXPECT_TRUE(zoom.Wheel(120, kDay + 300, scale).Zoomed);
    EXPECT_FLOAT_EQ(1.1f, scale);
}

TEST(WheelZoom, LimitsClampAndBeep) {
    WheelZoom zoom;
    float scale = 2.45f;
    auto r = zoom.Wheel(120, 0, scale);
    EXPECT_TRUE(r.Zoomed && r.Beep);
    EXPECT_EQ(2.5f, scale);
    scale = 0.55f;
    r = zoom.Wheel(-120, 1000, scale);
    EXPECT_TRUE(r.Zoomed && r.Beep);
    EXPECT_EQ(0.5f, scale);
    scale = 1.5f;
    r = zoom.Wheel(-120, 2000, scale);
    EXPECT_FALSE(r.Beep);
    EXPECT_FLOAT_EQ(1.45f, scale);
}

// From the low limit up to the high one and back down, each step lands on the value it names
// (no drift: 1 comes back as 1, not 0.99999).
TEST(WheelZoom, StepsLandOnTheValuesTheyNameAndComeBackExactly) {
    WheelZoom zoom;
    uint64_t tick = 0;
    float scale = 0.5f;
    for (int h = 55; h <= 250; h += 5) {
        ASSERT_TRUE(zoom.Wheel(120, tick += 400, scale).Zoomed);
        EXPECT_EQ(static_cast<float>(h / 100.0), scale) << h;
    }
    for (int h = 245; h >= 50; h -= 5) {
        ASSERT_TRUE(zoom.Wheel(-120, tick += 400, scale).Zoomed);
        EXPECT_EQ(static_cast<float>(h / 100.0), scale) << h;
    }
}

TEST(WheelZoom, OtherDeltasChangeNothingButRestartTheInterval) {
    WheelZoom zoom;
    float scale = 1.0f;
    EXPECT_FALSE(zoom.Wheel(60, 5000, scale).Zoomed);  // a high-resolution wheel's part notch
    EXPECT_FLOAT_EQ(1.0f, scale);
    EXPECT_FALSE(zoom.Wheel(120, 5200, scale).Zoomed);  // the part notch restarted the interval
    EXPECT_TRUE(zoom.Wheel(120, 5400, scale).Zoomed);
}

}  // namespace
}  // namespace notaline
