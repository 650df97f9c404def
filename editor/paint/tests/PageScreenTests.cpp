#include <gtest/gtest.h>

#include <functional>

#include "PageFixture.h"

namespace notaline {
namespace {

using test::RecordingSurface;

struct PageScreenTest : test::PageTest {
    std::unique_ptr<PageScreen> view;

    void Make(int32_t pages, int32_t linesPerPage = 3) {
        Build(pages, linesPerPage);
        view = std::make_unique<PageScreen>(data, scroll, surface);
        ASSERT_TRUE(view->InitPageBuffers());
        ASSERT_TRUE(view->ResetPageBuffers());
        view->RefreshView(0, 0, tessaly::AllRefresh);
        surface.Reset();
    }
    int Draws(int32_t slot, PageLayer layer) { return surface.Draws[{slot, layer}]; }
};

TEST_F(PageScreenTest, EachModeRedrawsTheLayersItNames) {
    Make(3);
    struct Case {
        int32_t Mode;
        bool Text, Marks, Items;
    };
    const Case cases[] = {{1, true, true, true},    {2, true, false, false},  {3, false, true, false},
                          {4, false, false, true},  {5, false, false, false}, {6, true, true, false},
                          {7, false, false, false}, {8, true, true, false},   {9, false, false, false},
                          {-1, false, false, false}};
    for (const auto& c : cases) {
        surface.Reset();
        view->RefreshView(0, 0, c.Mode);
        SCOPED_TRACE(c.Mode);
        for (int32_t slot = 0; slot < 2; ++slot) {
            EXPECT_EQ(Draws(slot, PageLayer::Text), c.Text ? 1 : 0);
            EXPECT_EQ(Draws(slot, PageLayer::Marks), c.Marks ? 1 : 0);
            EXPECT_EQ(Draws(slot, PageLayer::Items), c.Items ? 1 : 0);
        }
        // Every mode composes both slots and shows the view.
        EXPECT_EQ(surface.Composed.size(), 2u);
    }
}

// A slot's item layer is ANDed into the view only while it holds an item as last drawn: an item
// taken away still shows until the layer is drawn again.
TEST_F(PageScreenTest, AnItemLayerIsComposedOnlyWhileItHoldsAnItem) {
    Make(3);
    struct Step {
        bool ItemOnSecond;  // the document's item on page 1, or none
        int32_t Mode;
        bool First, Second;  // whether each slot's item layer is composed
    };
    const Step steps[] = {{true, tessaly::AllRefresh, false, true},
                          {true, tessaly::MainRefresh, false, true},
                          {false, tessaly::MainRefresh, false, true},
                          {false, tessaly::LpxRefresh, false, false},
                          {true, tessaly::LpxRefresh, false, true}};
    for (const Step& step : steps) {
        data.HwWordInfo.clear();
        if (step.ItemOnSecond) data.HwWordInfo.push_back({1, 3, 0, 100, 300, 240, 16});
        surface.Reset();
        view->RefreshView(0, 0, step.Mode);
        ASSERT_EQ(surface.Composed.size(), 2u) << step.Mode;
        EXPECT_EQ(surface.Composed[0].Items, step.First) << step.Mode;
        EXPECT_EQ(surface.Composed[1].Items, step.Second) << step.Mode << " " << step.ItemOnSecond;
    }
}

TEST_F(PageScreenTest, APageCountChangeDrawsEverything) {
    Make(3);
    data.PageInfo.pop_back();
    view->RefreshView(0, 0, tessaly::SelColorRefresh);
    EXPECT_EQ(surface.DrawCount(), 6);
    surface.Reset();
    view->RefreshView(0, 0, tessaly::SelColorRefresh);
    EXPECT_EQ(surface.DrawCount(), 0);
}

TEST_F(PageScreenTest, AutoRefreshDrawsOnlyAfterTheFirstPageMoved) {
    Make(4);
    view->RefreshView(0, 0, tessaly::AutoRefresh);
    EXPECT_EQ(surface.DrawCount(), 0);  // still page 0
    grid.SetFirstPageScrollY(tessaly::Fixed{1200} * tessaly::kFixedOne);
    grid.InitPageScrollInfo(-1, -1, -1, -1);
    ASSERT_EQ(scroll.FirstVisiblePage(), 1);
    view->RefreshView(0, 0, tessaly::AutoRefresh);
    EXPECT_EQ(surface.DrawCount(), 6);
    surface.Reset();
    view->RefreshView(0, 0, tessaly::AutoRefresh);
    EXPECT_EQ(surface.DrawCount(), 0);
}

TEST_F(PageScreenTest, OnePageModeAfterALineCountChangeDrawsTheCaretsPage) {
    Make(3);
    data.SelStart = 35;  // page 1, slot 1
    data.LineCountChanged = true;
    view->RefreshView(35, 0, tessaly::OnePageRefresh);
    EXPECT_EQ(Draws(0, PageLayer::Text), 0);
    EXPECT_EQ(Draws(1, PageLayer::Text), 1);
    EXPECT_EQ(Draws(1, PageLayer::Marks), 1);
    EXPECT_EQ(Draws(1, PageLayer::Items), 0);
}

// A glissando from page 0 into page 1: a one-page redraw of either redraws the other's marks,
// and once more after it is gone, to take its piece away.
TEST_F(PageScreenTest, OnePageModeRedrawsTheMarksOfThePageAGlissandoJoins) {
    struct Case {
        int32_t caret, other;
    };
    for (const Case c : {Case{35, 0}, Case{5, 1}}) {
        SCOPED_TRACE(c.caret);
        Make(3);
        test::SetMark(data, 25, 0, 144, 0, 1);
        test::SetMark(data, 35, 0, 145, 0, 1);
        data.SelStart = c.caret;
        data.LineCountChanged = true;
        const int expected[] = {1, 1, 0};  // joined, just parted, parted
        for (int round : expected) {
            surface.Reset();
            view->RefreshView(c.caret, 0, tessaly::OnePageRefresh);
            EXPECT_EQ(Draws(c.other, PageLayer::Marks), round);
            EXPECT_EQ(Draws(c.other, PageLayer::Text), 0);
            data.WordInfo[35].SetMark(0, {});
        }
    }
}

TEST_F(PageScreenTest, OnePageComposesOneSlot) {
    Make(1);
    view->RefreshView(0, 0, tessaly::AllRefresh);
    ASSERT_EQ(surface.Composed.size(), 1u);
    EXPECT_EQ(surface.Composed[0].Y, 40);
    EXPECT_EQ(Draws(1, PageLayer::Text), 0);
}

TEST_F(PageScreenTest, SelectionIsMarkedCharacterByCharacterOnTheVisiblePages) {
    Make(3);
    view->RefreshView(28, 4, tessaly::SelColorRefresh);  // two on page 0, two on page 1
    const auto forward = surface.Anded;
    ASSERT_EQ(forward.size(), 4u);
    EXPECT_EQ(forward[0].Box, (IntRect{420, 220, 461, 284}));
    EXPECT_EQ(forward[0].X, 420 + scroll.PageSpaceX());
    EXPECT_EQ(forward[0].Y, 220 + 40);
    EXPECT_EQ(forward[2].Y, 1123 + 80 + 100);  // the second slot
    surface.Reset();
    view->RefreshView(32, -4, tessaly::SelColorRefresh);
    ASSERT_EQ(surface.Anded.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(surface.Anded[i].Y, forward[i].Y);
    // Page 2 is not visible: nothing is marked there.
    surface.Reset();
    view->RefreshView(60, 30, tessaly::SelColorRefresh);
    EXPECT_TRUE(surface.Anded.empty());
}

TEST_F(PageScreenTest, TheCaretFollowsSelectionInsertAndLineEnd) {
    Make(2);
    data.SelStart = 12;
    view->RefreshView(12, 0, tessaly::SelColorRefresh);
    ASSERT_TRUE(surface.CaretShown);
    EXPECT_EQ(surface.CaretX, scroll.PageSpaceX() + 180);
    EXPECT_EQ(surface.CaretY, 40 + 160);
    EXPECT_EQ(surface.CaretW, 2);
    EXPECT_EQ(surface.CaretH, 64);
    surface.InsertOn = true;
    data.CaretAtLineEnd = true;
    data.WordInfo[11].Right = 140 + 35;
    view->RefreshView(12, 0, tessaly::SelColorRefresh);
    EXPECT_EQ(surface.CaretW, 1);
    EXPECT_EQ(surface.CaretX, scroll.PageSpaceX() + 175);  // right edge of the character before
    data.SelStart = 9;                                     // before a paragraph end: always its left edge
    view->RefreshView(9, 0, tessaly::SelColorRefresh);
    EXPECT_EQ(surface.CaretX, scroll.PageSpaceX() + 460);

    surface.Reset();
    data.SelLength = 2;
    view->RefreshView(9, 2, tessaly::SelColorRefresh);
    EXPECT_FALSE(surface.CaretShown);
    data.SelLength = 0;
    data.InputState = tessaly::LpxState;
    view->RefreshView(9, 0, tessaly::SelColorRefresh);
    EXPECT_FALSE(surface.CaretShown);
}

TEST_F(PageScreenTest, BuffersFollowTheZoomAndARefusedZoomKeepsTheView) {
    Build(2);
    view = std::make_unique<PageScreen>(data, scroll, surface);
    data.AboutPageInfo.nScale = 1.25f;
    grid.InitPageScrollInfo(992, 1404, 1, 2);
    ASSERT_TRUE(view->ResetPageBuffers());  // the view first, as the layout asks for them
    ASSERT_TRUE(view->InitPageBuffers());
    EXPECT_EQ(view->PageSize(), (PixelSize{992, 1404}));  // 992.5 and 1403.75, halves to even
    EXPECT_EQ(surface.Page, (PixelSize{1985, 2808}));     // made for the top zoom, 2.5
    EXPECT_EQ(surface.View, (PixelSize{992 + 2 * scroll.PageSpaceX() + 1000, 2 * (1404 + 40)}));
    // The client is narrower than a page with its gaps: a client's width more; taller pages: two slots.
    ASSERT_TRUE(view->ResetPageBuffers());
    EXPECT_EQ(surface.View, (PixelSize{992 + 2 * scroll.PageSpaceX() + 1000, 2 * (1404 + 40)}));
    client.Width = 2500;
    grid.InitPageScrollInfo(-1, -1, -1, -1);
    ASSERT_TRUE(view->ResetPageBuffers());
    EXPECT_EQ(surface.View.Width, 5000);

    data.AboutPageInfo.nScale = 3;
    surface.Memory = surface.Held();  // the buffers of the new zoom cannot be made: the old are made again
    EXPECT_FALSE(view->InitPageBuffers());
    EXPECT_EQ(system.Beeps, 1);
    EXPECT_EQ(view->Scale(), 1.25);
    EXPECT_EQ(surface.Page, (PixelSize{992, 1404}));
    data.PageWidthPx = 100000;  // an unbounded custom paper is refused before any allocation
    surface.Memory = INT64_MAX;
    EXPECT_FALSE(view->InitPageBuffers());
    EXPECT_EQ(system.Beeps, 2);
    EXPECT_EQ(surface.Page, (PixelSize{992, 1404}));
}

// A zoom between two large sizes, each within the control's memory but not both together: the
// old buffers go before the new are made, so the memory held never passes the cap.
TEST_F(PageScreenTest, AZoomNeverHoldsTheOldAndTheNewBuffersTogether) {
    Build(1);
    view = std::make_unique<PageScreen>(data, scroll, surface);
    data.PageWidthPx = 2000;
    data.PageHeightPx = 3000;
    surface.Memory = kMaxBufferBytes;
    int64_t held[2] = {};
    for (int k = 0; k < 2; ++k) {
        data.AboutPageInfo.nScale = k == 0 ? 1.0f : 1.35f;
        ASSERT_TRUE(view->ResetPageBuffers());
        ASSERT_TRUE(view->InitPageBuffers());
        held[k] = surface.Held();
    }
    ASSERT_GT(held[0] + held[1], kMaxBufferBytes);
    EXPECT_EQ(view->Scale(), 1.35f);
    EXPECT_LE(surface.Peak, kMaxBufferBytes);
    EXPECT_EQ(system.Beeps, 0);
}

// A resize keeps the view buffer while the view fits in it; past it, or where it would crowd a
// larger zoom's pages past the cap, the buffer is made at the size shown.
TEST_F(PageScreenTest, ResizeKeepsTheViewBufferUntilItGrowsPastIt) {
    Build(1);
    view = std::make_unique<PageScreen>(data, scroll, surface);
    auto resize = [&](int32_t w, int32_t h) {
        client.Width = w, client.Height = h;
        grid.InitPageScrollInfo(-1, -1, -1, -1);
        return view->ResetPageBuffers() && view->InitPageBuffers();
    };
    ASSERT_TRUE(resize(1000, 700));
    const PixelSize made = surface.View;
    EXPECT_TRUE(resize(600, 700) && surface.View == made && resize(1300, 700) && surface.View.Width == 2600);
    ASSERT_TRUE(resize(8192, 3000) && resize(1000, 700));  // 196 MB of view kept
    data.AboutPageInfo.nScale = 3.75f, surface.Memory = kMaxBufferBytes;
    EXPECT_TRUE(view->InitPageBuffers() && surface.View == made);
}

// A paint after a size change that moved no page copies to the window only what the new size
// uncovers and what the system spoiled; one after the pages moved (centred in a wider window), or
// a refresh outside a paint, copies the whole view.
TEST_F(PageScreenTest, APaintAfterAResizeThatMovedNoPageCopiesOnlyWhatChanged) {
    Build(1);
    client.Width = 800, client.Height = 700;  // narrower than the page and its gaps: not centred
    grid.InitPageScrollInfo(-1, -1, -1, -1);
    view = std::make_unique<PageScreen>(data, scroll, surface);
    ASSERT_TRUE(view->ResetPageBuffers() && view->InitPageBuffers());
    view->RefreshView(0, 0, tessaly::AllRefresh);
    const struct {
        int32_t Width, Height;
        IntRect Spoiled;
        int Presents;
        std::vector<IntRect> Parts;
    } paints[] = {{760, 650, {}, 0, {}},
                  {800, 700, {0, 0, 5, 5}, 0, {{0, 650, 800, 700}, {760, 0, 800, 650}, {0, 0, 5, 5}}},
                  {1200, 700, {}, 1, {}}};
    for (const auto& p : paints) {
        SCOPED_TRACE(::testing::Message() << p.Width << " x " << p.Height);
        client.Width = p.Width, client.Height = p.Height;
        grid.InitPageScrollInfo(-1, -1, -1, -1);
        ASSERT_TRUE(view->ResetPageBuffers());
        surface.Reset();
        view->SetPainting(&p.Spoiled);
        view->RefreshView(0, 0, tessaly::SelColorRefresh);
        view->SetPainting(nullptr);
        EXPECT_EQ(surface.Presents, p.Presents);
        EXPECT_EQ(surface.PresentedParts, p.Parts);
    }
    client.Width = 760;
    grid.InitPageScrollInfo(-1, -1, -1, -1);
    ASSERT_TRUE(view->ResetPageBuffers());
    surface.Reset();
    view->RefreshView(0, 0, tessaly::SelColorRefresh);
    EXPECT_EQ(surface.Presents, 1);
}

// A page far larger than the window is drawn over the part in view and half a window around it
// (a side within two windows whole); a scroll within that only composes, one past it draws the
// three layers of the part it brings.
TEST_F(PageScreenTest, ALargePageIsDrawnAroundTheWindowAndScrollingDrawsWhatComesIntoView) {
    Build(2);
    client.Height = 700;
    data.AboutPageInfo.nScale = 2.5f;  // 1985 x 2808
    grid.InitPageScrollInfo(1985, 2808, 1, 2);
    view = std::make_unique<PageScreen>(data, scroll, surface);
    ASSERT_TRUE(view->ResetPageBuffers() && view->InitPageBuffers());
    const int32_t gapX = scroll.PageSpaceX();
    const struct {
        int64_t X, Y;
        int32_t Top, Bottom;  // rows drawn, or none when Top == Bottom
    } steps[] = {{0, 0, 0, 1010}, {300, 300, 0, 0}, {0, 700, 310, 1710}, {0, 900, 0, 0}, {0, 0, 0, 1010}};
    for (const auto& s : steps) {
        SCOPED_TRACE(::testing::Message() << s.X << "," << s.Y);
        surface.Reset();
        grid.SetFirstPageScrollX(s.X * tessaly::kFixedOne);
        grid.SetFirstPageScrollY(s.Y * tessaly::kFixedOne);
        view->RefreshView(0, 0, s.X + s.Y == 0 ? tessaly::AllRefresh : tessaly::AutoRefresh);
        const IntRect drawn{0, s.Top, 1985, s.Bottom};
        EXPECT_EQ(surface.Clips, s.Top == s.Bottom ? std::vector<IntRect>{} : std::vector<IntRect>(3, drawn));
        ASSERT_EQ(surface.Composed.size(), 1u);  // the second page is out of view
        const int32_t x = static_cast<int32_t>(s.X), y = static_cast<int32_t>(s.Y);
        EXPECT_EQ(surface.Composed[0].Part,
                  (IntRect{std::max(x - gapX, 0), y == 0 ? 0 : y - 40, x + 1000 - gapX, y + 700 - 40}));
    }
}

// Page buffers made for the top zoom give way to a view that would pass the cap beside them.
TEST_F(PageScreenTest, BuffersMadeLargerThanThePageCountAtTheirSize) {
    Build(1);
    view = std::make_unique<PageScreen>(data, scroll, surface);
    surface.Memory = kMaxBufferBytes;
    ASSERT_TRUE(view->ResetPageBuffers() && view->InitPageBuffers());
    EXPECT_EQ(surface.Page, (PixelSize{1985, 2808}));
    client.Width = 8000, client.Height = 6000;  // a view of 366 MB
    grid.InitPageScrollInfo(-1, -1, -1, -1);
    ASSERT_TRUE(view->ResetPageBuffers() && view->InitPageBuffers());
    EXPECT_EQ(surface.Page, (PixelSize{794, 1123}));
    EXPECT_LE(surface.Peak, kMaxBufferBytes);
    EXPECT_EQ(system.Beeps, 0);
}

// One control's page buffers and view hold 512 MB at most, each page layer counted.
TEST(BuffersFit, SidesAndTheControlsWholeMemory) {
    const struct {
        PixelSize Page, View;
        bool Fits;
    } rows[] = {
        {{4000, 4000}, {1000, 1000}, true},   // 427 MB and 4 MB
        {{4400, 4400}, {1, 1}, false},        // six layers and the picture of 74 MB
        {{3000, 4000}, {8000, 8000}, false},  // 320 MB of pages and 244 MB of view
        {{16385, 1}, {1, 1}, false},         {{1, 1}, {1, 16385}, false}, {{0, 10}, {10, 10}, false},
    };
    for (const auto& r : rows) EXPECT_EQ(r.Fits, BuffersFit(r.Page, r.View)) << r.Page.Width << "x" << r.Page.Height;
}

TEST_F(PageScreenTest, PaintingAtAnyZoomLeavesTheDocumentAsItWas) {
    Make(2);
    data.WordInfo[3].Yc = 2;
    data.WordInfo[4].YG = 5;
    data.WordInfo[5].cb = 3;
    test::SetMark(data, 6, 0, 2, 8);
    test::SetMark(data, 7, 0, 72, 0, 1);
    test::SetMark(data, 8, 0, 73, 0, 1);
    data.HwWordInfo = {{0, 3, 0, 100, 300, 240, 16}};
    const auto before = Bytes();
    for (float zoom : {0.5f, 1.25f, 2.5f}) {
        data.AboutPageInfo.nScale = zoom;
        ASSERT_TRUE(view->InitPageBuffers());
        surface.Reset();
        view->RefreshView(0, 0, tessaly::AllRefresh);
        EXPECT_GT((surface.Layers[{0, PageLayer::Text}].Ops.size()), 20u);
        data.AboutPageInfo.nScale = 1;  // the stored zoom is part of the bytes
        const auto after = Bytes();
        ASSERT_EQ(after.size(), before.size());
        for (size_t i = 0; i < after.size(); ++i) ASSERT_EQ(after[i], before[i]) << zoom << " byte " << i;
    }
}

TEST_F(PageScreenTest, EnsureWordVisibleAndResetView) {
    Make(3);
    view->EnsureWordVisible(75);  // page 2, line 1
    const double top = -static_cast<double>(grid.FirstPageScrollY()) / tessaly::kFixedOne;
    EXPECT_LE(top, 2 * 1163 + 40 + 160);
    EXPECT_GE(top + client.Height, 2 * 1163 + 40 + 211);
    data.CPdqLine = 2;
    data.SelStart = 75;
    int notified = 0;
    view->OnSelChange = [&] { ++notified; };
    view->ResetView();
    EXPECT_EQ(scroll.FirstVisiblePage(), 0);
    EXPECT_EQ(data.SelStart, 0);
    EXPECT_EQ(data.CPdqLine, -1);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(surface.DrawCount(), 6);
}

// An edit's one-page redraw draws, composes and shows only the rows of the lines it changed and of
// their neighbours; whatever the stamps cannot vouch for is drawn whole.
TEST_F(PageScreenTest, AnEditRedrawsOnlyTheBandOfItsLines) {
    struct Case {
        const char* Name;
        std::function<void(test::PageTest&, PageScreen&)> Edit;
        int32_t SelLength;
        int32_t Slot;  // the slot of the band; -1: both pages whole
        int32_t Top, Bottom;
    };
    auto word = [](test::PageTest& t, int32_t i) -> StoredWord& { return t.data.WordInfo[static_cast<size_t>(i)]; };
    const Case cases[] = {
        {"a character of page 0's first line", [&](auto& t, auto&) { word(t, 2).WdAsc = '6'; }, 0, 0, 38, 282},
        {"page 1's last line moved down",
         [&](auto& t, auto&) {
             t.data.LineInfo[5].Top += 30, t.data.LineInfo[5].Bottom += 30;
             for (int32_t i = 50; i < 60; ++i) word(t, i).Top += 30, word(t, i).Bottom += 30;
         },
         0, 1, 98, 372},
        {"a raised note reaches above its line", [&](auto& t, auto&) { word(t, 25).Top -= 70; }, 0, 0, 18, 412},
        {"with a selection", [&](auto& t, auto&) { word(t, 2).WdAsc = '6'; }, 2, -1, 0, 0},
        {"a colour of the table", [&](auto& t, auto&) { word(t, 2).WdAsc = '6', t.data.ColorTbl[1] = 0x123456; }, 0, -1,
         0, 0},
        {"a hairpin over characters",
         [&](auto& t, auto&) { word(t, 2).WdAsc = '6', test::SetMark(t.data, 12, 0, 82, 0, 5); }, 0, -1, 0, 0},
        {"a view made again, larger",
         [&](auto& t, auto& v) {
             word(t, 2).WdAsc = '6', t.client.Width = 3000;
             t.grid.InitPageScrollInfo(-1, -1, -1, -1), v.ResetPageBuffers();
         },
         0, -1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Make(3);
        c.Edit(*this, *view);
        surface.Reset();
        view->RefreshView(0, c.SelLength, tessaly::OnePageRefresh);
        if (c.Slot < 0) {
            EXPECT_EQ(surface.Composed.size(), 2u);
            continue;
        }
        const IntRect band{0, c.Top, 794, c.Bottom};
        EXPECT_EQ(surface.DrawCount(), 2);
        EXPECT_EQ(Draws(c.Slot, PageLayer::Text), 1);
        EXPECT_EQ(surface.Clips, (std::vector<IntRect>{band, band}));
        ASSERT_EQ(surface.Composed.size(), 1u);
        EXPECT_EQ(surface.Composed[0].Part, band);
        const int32_t y = surface.Composed[0].Y;
        EXPECT_EQ(y, c.Slot == 0 ? 40 : 40 + 1123 + 40);
        EXPECT_EQ(surface.PresentedRows, (std::vector<std::pair<int32_t, int32_t>>{{y + c.Top, y + c.Bottom}}));
        // The band's stamps are kept: the same refresh again draws whole, as nothing changed since.
        surface.Reset();
        view->RefreshView(0, 0, tessaly::OnePageRefresh);
        EXPECT_EQ(surface.Composed.size(), 2u);
    }
}

// A key early in a long paragraph changes every line after it, most of them out of view: only the
// band's rows in view are drawn, and what the page gave up is drawn when a scroll brings it in.
TEST_F(PageScreenTest, AnEditsBandIsDrawnOnlyInView) {
    client.Height = 1300;  // page 1's rows 0 to 97 in view
    Make(3);
    data.WordInfo[32].WdAsc = '6';
    view->RefreshView(0, 0, tessaly::OnePageRefresh);
    const IntRect shown{0, 38, 794, 97};
    EXPECT_EQ(surface.Clips, (std::vector<IntRect>{shown, shown}));
    surface.Reset();
    grid.SetFirstPageScrollY(200 * tessaly::kFixedOne);
    view->RefreshView(0, 0, tessaly::AutoRefresh);
    EXPECT_EQ(Draws(1, PageLayer::Items), 1);
}

}  // namespace
}  // namespace notaline
