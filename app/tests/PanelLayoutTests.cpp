#include <gtest/gtest.h>

#include <map>

#include "PanelLayout.h"

namespace tavolin {
namespace {

class Recorded final : public SettingsWriter {
public:
    void Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) override {
        values[section + L"/" + key] = value;
    }
    std::map<std::wstring, std::wstring> values;
};

FormGeometry Form(double width = 12600, double height = 9000) {
    FormGeometry g;
    g.formWidth = width;
    g.innerHeight = height;
    g.statusHeight = 300;
    g.top = {120, 0, 12000, 1200};
    g.side[0] = {0, 0, 1800, 3135};
    g.side[1] = {0, 0, 1800, 2100};
    g.splitter = {0, 0, 0, 90};
    g.picture = {0, 0, 0, 2000};
    return g;
}

TEST(PanelLayout, RightSidePanelsLeaveTheEditorTheRest) {
    PanelArrangement a;
    a.SidePanelPos = 1;
    FormGeometry g = Form();
    a.ReShowForm(g);
    EXPECT_EQ(10320, g.side[0].Left);
    EXPECT_EQ(10320, g.side[1].Left);
    EXPECT_EQ(120, g.editor.Left);
    EXPECT_EQ(10000, g.editor.Width);
    EXPECT_TRUE(g.toolBarChecked[4]);
    EXPECT_FALSE(g.toolBarChecked[3] || g.toolBarChecked[5]);
    EXPECT_EQ(1300, g.editor.Top);
    EXPECT_EQ(9000 - 300 - 1200 - 100, g.editor.Height);

    a.SidePanelPos = 0;
    a.ReShowForm(g);
    EXPECT_EQ(120 + 1800 + 200, g.editor.Left);
    EXPECT_EQ(12600 - g.editor.Left - 400, g.editor.Width);
}

TEST(PanelLayout, SlotsStackBelowTheTopPanelAndAreStored) {
    PanelArrangement a;
    a.PanelStates = {{1, 0, 3000, true, true}, {0, 0, 3135, false, true}};
    FormGeometry g = Form();
    g.top.Top = 0;
    Recorded ini;
    a.SavePanelState(g, ini);
    EXPECT_EQ(1300, g.side[1].Top);
    EXPECT_EQ(3000, g.side[1].Height);
    EXPECT_EQ(4500, g.side[0].Top);
    EXPECT_EQ(500, g.side[0].Height);
    EXPECT_EQ(L"▲", g.arrow[1]);
    EXPECT_EQ(L"▼", g.arrow[0]);
    const std::map<std::wstring, std::wstring> expected = {{L"0面板/位置", L"1"},     {L"0面板/大小状态", L"1"},
                                                           {L"0面板/可见性", L"1"},   {L"1面板/位置", L"0"},
                                                           {L"1面板/大小状态", L"0"}, {L"1面板/可见性", L"1"}};
    EXPECT_EQ(expected, ini.values);
    EXPECT_TRUE(a.SidePanelsShown);

    // A hidden slot keeps its place in the file and lets the next panel move up.
    a.PanelStates[0].PanelVisible = false;
    a.TopBarShown = false;
    a.SavePanelState(g, ini);
    EXPECT_FALSE(g.sideShown[1]);
    EXPECT_EQ(100, g.side[0].Top);  // 0 - 100 + 200
    EXPECT_EQ(L"0", ini.values[L"0面板/可见性"]);
    EXPECT_EQ(0, a.FindPanelSlot(1));
    EXPECT_EQ(1, a.FindPanelSlot(0));
    EXPECT_EQ(2, a.FindPanelSlot(5));
}

// 不显示 shows no side panel over the full-width editor; ticking a panel brings them back on the
// stored side, or on the left when the stored side is 不显示 too.
TEST(PanelLayout, HiddenPositionShowsNoPanelAndTickingReturnsToTheStoredSide) {
    struct Row {
        int16_t stored;
        bool byMenu;  // 不显示 chosen, else both panels unticked
        int16_t back;
    } rows[] = {{1, true, 0}, {0, true, 0}, {1, false, 1}, {0, false, 0}};
    for (const auto& r : rows) {
        PanelArrangement a;
        FormGeometry g = Form();
        g.toolBarChecked[0] = g.toolBarChecked[1] = true;
        Recorded ini;
        a.ToolBarClick(3 + r.stored, g, ini);
        if (r.byMenu) {
            a.ToolBarClick(5, g, ini);
            EXPECT_TRUE(a.PanelStates[0].PanelVisible && a.PanelStates[1].PanelVisible);
        } else {
            a.ToolBarClick(1, g, ini);
            a.ToolBarClick(0, g, ini);
        }
        EXPECT_EQ(2, a.SidePanelPos);
        EXPECT_FALSE(g.sideShown[0] || g.sideShown[1]);
        EXPECT_EQ(g.top.Width, g.editor.Width);

        if (r.byMenu) a.ToolBarClick(0, g, ini);  // untick the font panel first
        a.ToolBarClick(0, g, ini);                // and tick it
        EXPECT_EQ(r.back, a.SidePanelPos) << r.stored << r.byMenu;
        EXPECT_TRUE(g.sideShown[0]);
        EXPECT_EQ(r.byMenu, g.sideShown[1]);
        EXPECT_EQ(std::to_wstring(r.back), ini.values[L"侧面板/位置"]);
    }
}

TEST(PanelLayout, UntickingBothPanelsGivesTheEditorTheFullWidth) {
    PanelArrangement a;
    FormGeometry g = Form();
    g.toolBarChecked[0] = g.toolBarChecked[1] = true;
    Recorded ini;
    a.ToolBarClick(0, g, ini);
    EXPECT_EQ(0, a.SidePanelPos);
    a.ToolBarClick(1, g, ini);
    EXPECT_EQ(2, a.SidePanelPos);
    EXPECT_TRUE(g.toolBarChecked[5]);
    EXPECT_EQ(120, g.editor.Left);
    EXPECT_EQ(12000, g.editor.Width);
    EXPECT_EQ(ini.values.end(), ini.values.find(L"侧面板/位置"));  // the stored side stays
}

TEST(PanelLayout, PictureSharesTheHeightAndTinyWindowsKeepAnEditor) {
    PanelArrangement a;
    a.RefPictureShown = 1;
    FormGeometry g = Form();
    a.ReShowForm(g);
    EXPECT_EQ(9000 - 300 - 2000 - 90 - 1200 - 100, g.editor.Height);
    EXPECT_EQ(g.editor.Top + g.editor.Height, g.splitter.Top);
    EXPECT_EQ(g.splitter.Top + 90, g.picture.Top);
    EXPECT_EQ(g.editor.Width, g.picture.Width);
    EXPECT_TRUE(g.pictureShown && g.splitterShown);

    FormGeometry tiny = Form(500, 900);
    a.ReShowForm(tiny);
    EXPECT_EQ(kEditorMinimum, tiny.editor.Width);
    EXPECT_EQ(kEditorMinimum, tiny.editor.Height);
    EXPECT_EQ(0, tiny.top.Width);
}

// Old size, new size, and the bands a resize repaints with a band 24 wide and 8 high.
TEST(PanelLayout, AResizeRepaintsBandsAlongTheMovedRightAndBottomEdges) {
    struct Row {
        int OldWidth, OldHeight, Width, Height;
        std::vector<PixelRect> Bands;
    };
    const Row rows[] = {
        {100, 50, 100, 50, {}},                                 // the same size
        {100, 50, 140, 50, {{76, 0, 140, 50}}},                 // wider: the old edge to the new
        {140, 50, 100, 50, {{76, 0, 100, 50}}},                 // narrower: inside the new edge
        {100, 50, 100, 70, {{0, 42, 100, 70}}},                 // taller
        {100, 70, 90, 50, {{66, 0, 90, 50}, {0, 42, 90, 50}}},  // both smaller
        {10, 5, 20, 4, {{0, 0, 20, 4}, {0, 0, 20, 4}}},         // smaller than a band: all of it
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.Bands, ResizeBands(r.OldWidth, r.OldHeight, r.Width, r.Height, 24, 8))
            << r.OldWidth << "x" << r.OldHeight << " to " << r.Width << "x" << r.Height;
}

}  // namespace
}  // namespace tavolin
