#include <gtest/gtest.h>

#include "EditFixture.h"
#include "PageFixture.h"

namespace notaline {
namespace {

// The page view over the model as the control runs it: keys typed, lines laid out, the view redrawn.
struct TypingRedrawTest : test::EditTest {
    test::FixedClient client;
    tessaly::PageGrid grid{client};
    GridScroll scroll{grid};
    test::RecordingSurface surface;
    std::unique_ptr<PageScreen> screen;

    void Show() {
        client.Height = 700;  // one page and a half in view
        data.PageWidthPx = 120;
        data.PageHeightPx = 430;
        data.AboutPageInfo.nScale = 1;
        grid.SetEditView(true);
        grid.InitPageScrollInfo(120, 430, 1, data.PageCount());
        screen = std::make_unique<PageScreen>(data, scroll, surface);
        ASSERT_TRUE(screen->InitPageBuffers());
        ASSERT_TRUE(screen->ResetPageBuffers());
        screen->RefreshView(0, 0, tessaly::AllRefresh);
    }
    // One key at the caret and the redraw the control asks for after typing.
    void Key(char c) {
        TypeKeys(std::string(1, c));
        grid.InitPageScrollInfo(-1, -1, 1, data.PageCount());
        surface.Reset();
        screen->EnsureWordVisible(data.SelStart);
        screen->RefreshView(data.SelStart, data.SelLength, tessaly::OnePageRefresh);
    }
};

TEST_F(TypingRedrawTest, TypingPastThePageEndRedrawsAllThreeLayers) {
    std::string pattern;
    for (int i = 0; i < 60; ++i) pattern += "123456789|";
    data.WriteHeight = 400;
    Start(pattern);
    ASSERT_GT(data.LineCount(), 40) << data.LineInfo.back().Bottom;
    Show();
    ASSERT_GE(data.PageCount(), 2);
    data.SelStart = data.WordCount() - 1;  // before the last paragraph end
    const int32_t pages = data.PageCount();
    int keys = 0;
    while (data.PageCount() == pages && keys < 400) {
        Key('5');
        ++keys;
        if (data.PageCount() == pages) {
            // A key that leaves the pages as they were redraws characters and marks, not the items.
            EXPECT_EQ((surface.Draws[{0, PageLayer::Items}] + surface.Draws[{1, PageLayer::Items}]), 0) << keys;
            EXPECT_GT(surface.DrawCount(), 0);
        }
    }
    ASSERT_GT(data.PageCount(), pages);
    const int32_t slot = data.PageCount() - 1 - scroll.FirstVisiblePage();
    EXPECT_EQ((surface.Draws[{slot, PageLayer::Text}]), 1);
    EXPECT_EQ((surface.Draws[{slot, PageLayer::Marks}]), 1);
    EXPECT_EQ((surface.Draws[{slot, PageLayer::Items}]), 1);
    // The new page's characters are on its text layer.
    EXPECT_FALSE((surface.Layers[{slot, PageLayer::Text}].Ops.empty()));
}

}  // namespace
}  // namespace notaline
