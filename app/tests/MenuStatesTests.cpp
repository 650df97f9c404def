#include <gtest/gtest.h>

#include "MenuStates.h"
#include "MenuTable.h"

namespace tavolin {
namespace {

struct Values {
    bool can = false;
    int32_t mode = 1, sel = 0, cpdq = -1;
    bool playing = false, paused = false;
};

struct FakeEditor final : MenuStateSource, Values {
    explicit FakeEditor(Values v) : Values(v) {}
    bool CanUndo() override { return can; }
    bool CanRedo() override { return can; }
    bool CanCut() override { return can; }
    bool CanCopy() override { return can; }
    bool CanPaste() override { return can; }
    bool CanDel() override { return can; }
    int32_t InputState() override { return mode; }
    int32_t SelLength() override { return sel; }
    int32_t CPdqLine() override { return cpdq; }
    int32_t XjdqLine() override { return -1; }
    bool Playing() override { return playing; }
    bool Paused() override { return paused; }
};

TEST(MenuStates, ItemsFollowTheEditorAsTheirMenuOpens) {
    const struct {
        const char* menu;
        Values editor;
        const char* name;
        int index;
        int enabled;  // -1: left as it is
        const wchar_t* caption;
    } rows[] = {
        {"FileEdit", {.can = true, .mode = 3}, "SelAll", -1, 0, nullptr},
        {"FileEdit", {.can = true, .mode = 3}, "CopyWord", -1, 1, nullptr},
        {"FileEdit", {.mode = 2}, "WordDel", -1, 0, nullptr},
        {"Setting", {.cpdq = 0}, "Mydq", 0, -1, L"目标行：0"},
        {"Setting", {.cpdq = -1}, "Mydq", 1, 0, nullptr},
        {"Setting", {.cpdq = -1}, "MyXjdq", 0, -1, L"目标行：无"},
        {"Setting", {.mode = 3}, "YGYCPos", -1, 0, nullptr},
        {"Common", {.mode = 3}, "MyLPX", -1, 1, nullptr},
        {"Common", {.mode = 3}, "CustomWord", -1, 0, nullptr},
        {"Common", {.sel = 1}, "HuaYng", 8, 0, nullptr},
        {"Common", {.sel = 1}, "ZhuagSeYing", 10, 1, nullptr},
        {"Common", {.sel = -4}, "TFZ", 1, 1, nullptr},  // backwards counts too
        {"Common", {.sel = -4}, "ZhuagSeYing", 10, 0, nullptr},
        {"Common", {.sel = 0}, "YG", 8, 0, nullptr},
        {"YueQi", {.sel = -2}, "GFHuHao", 5, 1, nullptr},
        {"Play", {.playing = true, .paused = true}, "PausePlay", -1, 1, L"继续"},
        {"Play", {}, "CloesMusic", -1, 0, nullptr},
    };
    for (auto r : rows) {
        SCOPED_TRACE(testing::Message() << r.menu << " " << r.name << " " << r.index);
        FakeEditor editor(r.editor);
        const MenuItemState* found = nullptr;
        const auto states = MenuStates(r.menu, editor);
        for (const auto& s : states) {
            EXPECT_GE(FindMenuItem(s.name, s.index), 0) << s.name << s.index;
            if (std::string_view(s.name) == r.name && s.index == r.index) found = &s;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(r.enabled < 0 ? std::optional<bool>() : std::optional<bool>(r.enabled == 1), found->enabled);
        EXPECT_EQ(r.caption ? std::optional<std::wstring>(r.caption) : std::nullopt, found->caption);
    }
    FakeEditor lines({.mode = 3, .cpdq = 2});  // target captions stay under greyed submenus
    for (const auto& s : MenuStates("Setting", lines)) EXPECT_NE("Mydq", std::string_view(s.name));
    EXPECT_EQ(L"继续", PauseToggledStates(true)[0].caption);
    EXPECT_EQ(false, PauseToggledStates(true)[1].enabled);
}

}  // namespace
}  // namespace tavolin
