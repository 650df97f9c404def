#include <gtest/gtest.h>

#include "render/NotationFont_win.h"
#include "win/Gdiplus_win.h"

namespace notaline {
namespace {

// As the program starts: the notation font first, before any font is asked for, then GDI+.
class RenderEnvironment : public testing::Environment {
public:
    void SetUp() override {
        fontLoaded_ = LoadNotationFont();
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token_, &input, nullptr));
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(token_); }
    static bool FontLoadedFirst() { return fontLoaded_; }

private:
    ULONG_PTR token_ = 0;
    static inline bool fontLoaded_ = false;
};

[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new RenderEnvironment);

TEST(NotationFontLoad, LoadsOnceFromTheProgramFolder) {
    EXPECT_TRUE(RenderEnvironment::FontLoadedFirst());
    EXPECT_TRUE(LoadNotationFont());  // again: the same answer, nothing added twice
}

}  // namespace
}  // namespace notaline
