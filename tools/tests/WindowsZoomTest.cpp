#include <gtest/gtest.h>

#include "WindowsZoom.h"

namespace tessaly {
namespace {

// A system whose answers each test sets; nullopt stands for a missing call.
struct FakeDpi : DpiSource {
    intptr_t active = 0, foreground = 0;
    std::optional<int32_t> window, system, screen;
    intptr_t askedWindow = -1;
    intptr_t ActiveWindow() override { return active; }
    intptr_t ForegroundWindow() override { return foreground; }
    std::optional<int32_t> DpiForWindow(intptr_t w) override {
        askedWindow = w;
        return window;
    }
    std::optional<int32_t> DpiForSystem() override { return system; }
    std::optional<int32_t> ScreenLogPixelsX() override { return screen; }
};

TEST(WindowsZoom, PercentagesOfCommonAndOddDpis) {
    EXPECT_EQ(100, ZoomPercentageForDpi(96));
    EXPECT_EQ(125, ZoomPercentageForDpi(120));
    EXPECT_EQ(150, ZoomPercentageForDpi(144));
    EXPECT_EQ(175, ZoomPercentageForDpi(168));
    EXPECT_EQ(200, ZoomPercentageForDpi(192));
    EXPECT_EQ(125, ZoomPercentageForDpi(110));  // 1.15 -> 115 -> 4.6 -> 5
    EXPECT_EQ(100, ZoomPercentageForDpi(100));  // 1.04 -> 104 -> 4.16 -> 4
    EXPECT_EQ(100, ZoomPercentageForDpi(108));  // 1.125 -> 1.12 (half to even) -> 112 -> 4.48 -> 4
}

TEST(WindowsZoom, FallsBackThroughMissingCalls) {
    FakeDpi f;
    f.foreground = 7;
    f.window = 0;  // the window answers nothing useful
    f.system = 144;
    EXPECT_EQ(150, WindowsZoomPercentage(f, 0));
    EXPECT_EQ(7, f.askedWindow);  // no active window: the foreground one

    FakeDpi old;  // no per-window or system DPI at all
    old.active = 3;
    old.screen = 120;
    EXPECT_EQ(125, WindowsZoomPercentage(old, 0));

    FakeDpi nothing;
    EXPECT_EQ(100, WindowsZoomPercentage(nothing, 0));
}

TEST(WindowsZoom, CurrentDpiSkipsTheSystemDpiAndDoesNotRound) {
    FakeDpi f;
    f.active = 5;
    f.system = 192;
    f.screen = 110;
    EXPECT_EQ(110, CurrentDpi(f, 0));  // window call missing: the screen's logical DPI
    f.window = 101;
    EXPECT_EQ(101, CurrentDpi(f, 9));
    EXPECT_EQ(9, f.askedWindow);
    FakeDpi none;
    EXPECT_EQ(96, CurrentDpi(none, 0));
}

}  // namespace
}  // namespace tessaly
