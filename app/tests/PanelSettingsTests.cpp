#include <gtest/gtest.h>

#include <map>
#include <set>

#include "PanelSettings.h"

namespace tavolin {
namespace {

class Table final : public SettingsReader, public SettingsWriter {
public:
    std::wstring Read(const std::wstring& section, const std::wstring& key) override {
        auto it = values.find(section + L"/" + key);
        return it == values.end() ? L"" : it->second;
    }
    void Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) override {
        values[section + L"/" + key] = value;
    }
    std::map<std::wstring, std::wstring> values;
};

constexpr double kHeights[kSidePanels] = {3135, 2100};

struct Slot {
    int16_t panel;
    bool expanded, visible;
};

struct IniCase {
    const char* name;
    std::map<std::wstring, std::wstring> ini;
    Slot slots[kSidePanels];
    int16_t sidePos;
    bool topShown;
};

TEST(PanelSettings, ReadingRulesAndBrokenSlots) {
    const Slot defaults[] = {{0, true, true}, {1, true, true}};
    const IniCase cases[] = {
        {"no file: defaults, top bar hidden", {}, {defaults[0], defaults[1]}, 0, false},
        {"swapped, collapsed, hidden, right, top shown",
         {{L"0面板/位置", L"1"},
          {L"0面板/大小状态", L"0"},
          {L"0面板/可见性", L"1"},
          {L"1面板/位置", L"0"},
          {L"1面板/大小状态", L"1"},
          {L"1面板/可见性", L"0"},
          {L"侧面板/位置", L"1"},
          {L"上方面板/显示", L"1"}},
         {{1, false, true}, {0, true, false}},
         1,
         true},
        {"大小状态 True collapses; 显示 1.0 shows",
         {{L"0面板/位置", L"0"},
          {L"0面板/大小状态", L"True"},
          {L"0面板/可见性", L"1"},
          {L"1面板/位置", L"1"},
          {L"1面板/大小状态", L"1"},
          {L"1面板/可见性", L"True"},
          {L"上方面板/显示", L"1.0"}},
         {{0, false, true}, {1, true, true}},
         0,
         true},
        {"显示 ' 1' shows", {{L"上方面板/显示", L" 1"}}, {defaults[0], defaults[1]}, 0, true},
        {"显示 True hides", {{L"上方面板/显示", L"True"}}, {defaults[0], defaults[1]}, 0, false},
        {"位置 7 counts as missing",
         {{L"0面板/位置", L"7"}, {L"0面板/大小状态", L"0"}, {L"0面板/可见性", L"0"}, {L"侧面板/位置", L"9"}},
         {defaults[0], defaults[1]},
         0,
         false},
        {"both slots 0: the second takes panel 1",
         {{L"0面板/位置", L"0"},
          {L"0面板/大小状态", L"0"},
          {L"0面板/可见性", L"1"},
          {L"1面板/位置", L"0"},
          {L"1面板/大小状态", L"0"},
          {L"1面板/可见性", L"0"}},
         {{0, false, true}, {1, true, true}},
         0,
         false},
        {"missing first slot takes the panel the second leaves",
         {{L"1面板/位置", L"0"}, {L"1面板/大小状态", L"1"}, {L"1面板/可见性", L"0"}, {L"侧面板/位置", L"2"}},
         {{1, true, true}, {0, true, false}},
         2,
         false},
        {"位置 -1 and text are unreadable; 可见性 empty shows",
         {{L"0面板/位置", L"abc"}, {L"1面板/位置", L"-1"}, {L"0面板/可见性", L"0"}},
         {defaults[0], defaults[1]},
         0,
         false},
        {"位置 0.5 rounds to 0, 1.5 to 2 (out)",
         {{L"0面板/位置", L"1.5"}, {L"1面板/位置", L"0.5"}, {L"1面板/大小状态", L"1"}},
         {{1, true, true}, {0, true, true}},
         0,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table ini;
        ini.values = c.ini;
        PanelArrangement panels;
        panels.SidePanelsShown = false;
        FormGeometry g;
        ReadPanelSettings(ini, panels, g, kHeights);
        ASSERT_EQ(kSidePanels, static_cast<int>(panels.PanelStates.size()));
        std::set<int> seen;
        for (int s = 0; s < kSidePanels; ++s) {
            const PanelState& got = panels.PanelStates[s];
            EXPECT_EQ(c.slots[s].panel, got.PanelIndex) << "slot " << s;
            EXPECT_EQ(c.slots[s].expanded, got.SizeState) << "slot " << s;
            EXPECT_EQ(c.slots[s].visible, got.PanelVisible) << "slot " << s;
            EXPECT_EQ(kHeights[got.PanelIndex], got.PanelHeight);
            EXPECT_EQ(got.PanelVisible, g.toolBarChecked[got.PanelIndex]);
            seen.insert(got.PanelIndex);
            EXPECT_EQ(s, panels.FindPanelSlot(got.PanelIndex));
        }
        EXPECT_EQ(kSidePanels, static_cast<int>(seen.size()));
        EXPECT_EQ(c.sidePos, panels.SidePanelPos);
        EXPECT_EQ(c.topShown, panels.TopBarShown);
        EXPECT_EQ(c.topShown, g.topShown);
    }
}

TEST(PanelSettings, TopBarToggledTwiceLeavesTheValue) {
    for (const wchar_t* start : {L"1", L"0"}) {
        Table ini;
        ini.values[L"上方面板/显示"] = start;
        PanelArrangement panels;
        FormGeometry g;
        ReadPanelSettings(ini, panels, g, kHeights);
        ToggleTopBar(panels, ini);
        EXPECT_NE(start, ini.values[L"上方面板/显示"]);
        ToggleTopBar(panels, ini);
        EXPECT_EQ(start, ini.values[L"上方面板/显示"]);
    }
}

TEST(PanelSettings, TipsCoverEveryButtonOnce) {
    std::set<std::pair<std::string, int>> sources;
    for (const auto& t : kControlTipTable) {
        EXPECT_TRUE(sources.emplace(t.control, t.index).second) << t.control << t.index;
        EXPECT_NE(L'\0', t.tip[0]);
    }
    EXPECT_EQ(std::wstring(L"三连音"), kControlTipTable[21].tip);
    EXPECT_EQ(std::wstring(L"三号"), kFontSizeList[6]);
    EXPECT_EQ(std::wstring(L"74"), kFontSizeList[kFontSizeItems - 1]);
}

}  // namespace
}  // namespace tavolin
